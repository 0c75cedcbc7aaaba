#include "HostLayout.h"

#include <algorithm>

#include "base/Strings.h"

namespace tessaline::demo {
namespace {

constexpr int kMaxExtent = 32767;  // what a window coordinate can hold
constexpr int kButtonMargin = 4;
constexpr int kButtonGap = 4;
constexpr int kHorizontalButtonWidth = 120;

std::optional<int> ParseExtent(const std::wstring& text, int minimum) {
    const auto value = ParseInt32(text);
    if (!value || *value < minimum || *value > kMaxExtent) {
        return std::nullopt;
    }
    return *value;
}

}  // namespace

THostOptionsResult ParseHostOptions(const std::vector<std::wstring>& args) {
    THostOptionsResult result;
    THostOptions& options = result.Options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& name = args[i];
        if (name == L"--start-button") {
            options.StartButton = true;
            continue;
        }
        if (name == L"--broadcast") {
            options.Broadcast = true;
            continue;
        }
        if (name != L"--edge" && name != L"--band" && name != L"--ready-file" && name != L"--thickness" &&
            name != L"--length" && name != L"--offset" && name != L"--message-log" && name != L"--work-area") {
            result.Error = L"unknown option " + name;
            return result;
        }
        if (i + 1 >= args.size()) {
            result.Error = name + L" needs a value";
            return result;
        }
        const std::wstring& value = args[++i];
        if (name == L"--edge") {
            if (value == L"bottom") {
                options.Edge = THostEdge::Bottom;
            } else if (value == L"left") {
                options.Edge = THostEdge::Left;
            } else if (value == L"top") {
                options.Edge = THostEdge::Top;
            } else {
                result.Error = L"--edge must be bottom, left or top, not " + value;
                return result;
            }
            continue;
        }
        if (name == L"--band") {
            if (value == L"shown") {
                options.Band = THostOptions::TBand::Shown;
            } else if (value == L"hidden") {
                options.Band = THostOptions::TBand::Hidden;
            } else if (value == L"none") {
                options.Band = THostOptions::TBand::None;
            } else {
                result.Error = L"--band must be shown, hidden or none, not " + value;
                return result;
            }
            continue;
        }
        if (name == L"--ready-file") {
            options.ReadyFile = value;
            continue;
        }
        if (name == L"--message-log") {
            options.MessageLog = value;
            continue;
        }
        if (name == L"--work-area" && value == L"none") {
            options.WorkAreaWholeScreen = true;
            continue;
        }
        if (name == L"--work-area") {
            const auto height = ParseExtent(value, 1);
            if (!height) {
                result.Error = L"--work-area wants a height or none, not " + value;
                return result;
            }
            options.WorkAreaHeight = *height;
            continue;
        }
        // A zero thickness or length would make a window nobody can see or hit; a zero offset is Explorer's own
        // layout without a Start button.
        const int minimum = name == L"--offset" ? 0 : 1;
        const auto number = ParseExtent(value, minimum);
        if (!number) {
            result.Error = name + L" wants a number from " + IntToText(minimum) + L" to " + IntToText(kMaxExtent) +
                           L", not " + value;
            return result;
        }
        if (name == L"--thickness") {
            options.Thickness = *number;
        } else if (name == L"--length") {
            options.Length = *number;
        } else {
            options.Offset = *number;
        }
    }
    return result;
}

TRect TaskbarRect(const THostOptions& options, TSize screen) {
    switch (options.Edge) {
        case THostEdge::Left:
            return RectOf(0, 0, options.Thickness, options.Length.value_or(screen.Height));
        case THostEdge::Top:
            return RectOf(0, 0, options.Length.value_or(screen.Width), options.Thickness);
        case THostEdge::Bottom:
            break;
    }
    return RectOf(0, screen.Height - options.Thickness, options.Length.value_or(screen.Width), options.Thickness);
}

TRect BandRect(THostEdge edge, TSize taskbar, int offset) {
    if (IsVertical(edge)) {
        const int top = std::min(offset, taskbar.Height);
        return {0, top, taskbar.Width, taskbar.Height};
    }
    const int left = std::min(offset, taskbar.Width);
    return {left, 0, taskbar.Width, taskbar.Height};
}

TRect OwnStartButtonRect(THostEdge edge, TSize taskbar, int offset) {
    if (IsVertical(edge)) {
        return {0, 0, taskbar.Width, std::min(offset, taskbar.Height)};
    }
    return {0, 0, std::min(offset, taskbar.Width), taskbar.Height};
}

std::vector<TRect> TaskButtonRects(THostEdge edge, TSize band, int count) {
    std::vector<TRect> rects;
    const int across = (IsVertical(edge) ? band.Width : band.Height) - 2 * kButtonMargin;
    if (across <= 0) {
        return rects;
    }
    // Vertical bars are narrow: square buttons, as a narrow Explorer taskbar shows icons only.
    const int along = IsVertical(edge) ? across : kHorizontalButtonWidth;
    const int room = IsVertical(edge) ? band.Height : band.Width;
    for (int i = 0, start = kButtonMargin; i < count && start + along <= room - kButtonMargin; ++i) {
        rects.push_back(IsVertical(edge) ? RectOf(kButtonMargin, start, across, along)
                                         : RectOf(start, kButtonMargin, along, across));
        start += along + kButtonGap;
    }
    return rects;
}

}  // namespace tessaline::demo

namespace tessaline::demo {

TRect HostWorkArea(const THostOptions& options, TSize screen) {
    const TRect whole = RectOf(0, 0, screen.Width, screen.Height);
    if (options.WorkAreaWholeScreen) {
        return whole;
    }
    if (options.WorkAreaHeight) {
        return RectOf(0, 0, screen.Width, *options.WorkAreaHeight);
    }
    const TRect bar = TaskbarRect(options, screen);
    switch (options.Edge) {
        case THostEdge::Left:
            return {bar.Right, 0, screen.Width, screen.Height};
        case THostEdge::Top:
            return {0, bar.Bottom, screen.Width, screen.Height};
        case THostEdge::Bottom:
            break;
    }
    return {0, 0, screen.Width, bar.Top};
}

}  // namespace tessaline::demo
