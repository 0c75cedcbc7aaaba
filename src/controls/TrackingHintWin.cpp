#include "controls/TrackingHintWin.h"

#include <commctrl.h>

#include "base/Trace.h"

namespace tessaline {

namespace {

TOOLINFOW ToolOf(HWND owner) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = 1;
    return tool;
}

}  // namespace

TTrackingHint::~TTrackingHint() {
    if (tooltip_ != nullptr) {
        DestroyWindow(tooltip_);
    }
}

void TTrackingHint::ActivateHint(HWND owner, const std::wstring& text, POINT screen) {
    if (text.empty()) {
        Hide();
        return;
    }
    if (tooltip_ == nullptr || owner != owner_) {
        if (tooltip_ != nullptr) {
            DestroyWindow(tooltip_);
        }
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (tooltip_ == nullptr) {
            Trace(L"TTrackingHint: no tooltip window: ", GetLastError());
            return;
        }
        owner_ = owner;
        text_ = text;
        TOOLINFOW tool = ToolOf(owner);
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.lpszText = text_.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        shown_ = false;
    }
    TOOLINFOW tool = ToolOf(owner_);
    if (text != text_) {
        text_ = text;
        tool.lpszText = text_.data();
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    if (!shown_) {
        SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
        shown_ = true;
    }
}

void TTrackingHint::Hide() {
    if (tooltip_ != nullptr && shown_) {
        TOOLINFOW tool = ToolOf(owner_);
        SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
    shown_ = false;
}

}  // namespace tessaline
