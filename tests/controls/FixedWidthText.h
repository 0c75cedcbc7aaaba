#pragma once
// A text measurer and canvas for the label tests: every character 7 pixels wide, lines 13 high, with the
// DrawTextW flags the labels rely on (calc-rect, word break, single line, end ellipsis, prefix, partial last
// lines not drawn). The canvas records what is drawn instead of rasterising it.

#include <algorithm>
#include <string>
#include <vector>

#include "controls/RdLabel.h"

namespace tessaline::test {

constexpr int kCharWidth = 7;
constexpr int kLineHeight = 13;

// The lines DrawTextW would lay out for text in rect.
inline std::vector<std::wstring> FixedLines(const std::wstring& text, const TRect& rect, unsigned flags) {
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((flags & kDtNoPrefix) == 0 && text[i] == L'&' && ++i == text.size()) {
            break;
        }
        shown += text[i];
    }
    const size_t room = rect.Width() > 0 ? static_cast<size_t>(rect.Width() / kCharWidth) : 0;
    std::vector<std::wstring> lines;
    std::wstring line;
    size_t start = 0;
    while (start <= shown.size()) {
        size_t end = (flags & kDtSingleLine) != 0 ? std::wstring::npos : shown.find(L'\n', start);
        const std::wstring paragraph = shown.substr(start, end == std::wstring::npos ? end : end - start);
        if ((flags & kDtWordBreak) == 0) {
            lines.push_back(paragraph);
        } else {
            line.clear();
            size_t from = 0;
            while (from <= paragraph.size()) {
                const size_t blank = std::min(paragraph.find_first_of(L" \t", from), paragraph.size());
                const std::wstring word = paragraph.substr(from, blank - from);
                if (!line.empty() && line.size() + 1 + word.size() > room) {
                    lines.push_back(line);
                    line = word;
                } else {
                    line += (line.empty() ? L"" : L" ") + word;
                }
                from = blank + 1;
            }
            lines.push_back(line);
        }
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    for (std::wstring& l : lines) {
        if ((flags & kDtEndEllipsis) != 0 && l.size() > room) {
            l = l.substr(0, room > 3 ? room - 3 : 0) + L"...";
        }
    }
    return lines;
}

inline int FixedDrawText(const std::wstring& text, TRect& rect, unsigned flags) {
    const std::vector<std::wstring> lines = FixedLines(text, rect, flags);
    if ((flags & kDtCalcRect) != 0) {
        size_t widest = 0;
        for (const std::wstring& line : lines) {
            widest = std::max(widest, line.size());
        }
        rect.Right = rect.Left + static_cast<int>(widest) * kCharWidth;
        rect.Bottom = rect.Top + static_cast<int>(lines.size()) * kLineHeight;
    }
    return static_cast<int>(lines.size()) * kLineHeight;
}

class TRecordingCanvas : public ICanvas {
  public:
    struct Text {
        std::wstring text;
        TRect rect;
        unsigned flags;
        TColor color;
        std::vector<std::wstring> visible;  // whole lines inside the rectangle
    };
    struct Fill {
        TRect rect;
        TColor color;
    };
    struct Picture {
        TRect dest;
        bool stretch;
        int width;
    };
    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Picture> pictures;

    void DrawPicture(const TPicture& picture, const TRect& dest, bool stretch) override {
        pictures.push_back({dest, stretch, picture.Width});
    }
    void FillRect(const TRect& rect, TColor color) override { fills.push_back({rect, color}); }
    void FrameRect(const TRect&, TColor) override {}
    void Line(TPoint, TPoint, TColor) override {}
    void SetFont(const TFont&) override {}
    int DrawText(const std::wstring& text, TRect& rect, unsigned flags, TColor color) override {
        if ((flags & kDtCalcRect) == 0) {
            std::vector<std::wstring> lines = FixedLines(text, rect, flags);
            lines.resize(std::min(lines.size(), static_cast<size_t>(std::max(rect.Height(), 0) / kLineHeight)));
            texts.push_back({text, rect, flags, color, lines});
        }
        return FixedDrawText(text, rect, flags);
    }
    TSize TextExtent(const std::wstring& text) override {
        return {static_cast<int>(text.size()) * kCharWidth, kLineHeight};
    }
};

}  // namespace tessaline::test
