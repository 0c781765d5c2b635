#include "main_window.h"

#include "configured_hosts.h"
#include "help_window.h"
#include "link_generator.h"
#include "platform.h"

namespace corvanel {
namespace {

constexpr const char* kForumAddress = CORVANEL_FORUM_ADDRESS;
constexpr const char* kCopiedMessage = "复制成功，赶快去试试吧";
constexpr const char* kCopiedCaption = "OK";
constexpr const char* kClipboardBusyMessage = "复制失败：剪贴板可能正被其他程序占用，请稍后再试。";
constexpr const char* kCopyFailedMessage = "复制失败，请稍后再试。";
constexpr const char* kCopyFailedCaption = "Corvanel";

ControlName ControlOf(BoxName box) {
    switch (box) {
    case BoxName::编辑框1: return ControlName::编辑框1;
    case BoxName::编辑框2: return ControlName::编辑框2;
    case BoxName::编辑框3: return ControlName::编辑框3;
    case BoxName::编辑框4: return ControlName::编辑框4;
    }
    return ControlName::编辑框1;
}

// The generator's boxes are those of this window.
class MainWindowBoxes final : public BoxAccess {
public:
    explicit MainWindowBoxes(HWND window) : window_(window) {}
    Text ReadBoxContent(BoxName box) override { return corvanel::ReadBoxContent(window_, ControlOf(box)); }
    void WriteBoxContent(BoxName box, const Text& text) override {
        corvanel::WriteBoxContent(window_, ControlOf(box), text);
    }

private:
    HWND window_;
};

void GenerateLinksAction(HWND window) {
    MainWindowBoxes boxes(window);
    GenerateLinks(boxes);
}

// Only a clipboard that could not be opened points at another program.
template <ControlName box>
void CopyLinkAction(HWND window) {
    switch (SetClipboardText(ReadBoxContent(window, box))) {
    case ClipboardResult::Placed: ShowMessageBox(kCopiedMessage, 0, kCopiedCaption); break;
    case ClipboardResult::Busy: ShowMessageBox(kClipboardBusyMessage, MB_ICONWARNING, kCopyFailedCaption); break;
    case ClipboardResult::NoMemory:
    case ClipboardResult::Emptied: ShowMessageBox(kCopyFailedMessage, MB_ICONWARNING, kCopyFailedCaption); break;
    }
}

void ShowHelpAction(HWND) { LoadWindow(kHelpWindow, std::nullopt, true); }

void OpenForumAction(HWND) { OpenWebAddress(kForumAddress); }

constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX;

using enum ControlName;
using enum ControlKind;
using enum ControlFont;

// In control order, which is also the stacking order, first on top.
constexpr ControlDescription kControls[] = {
    // name   kind               bounds                 text                  tab    colour    font        label format    action
    {按钮6,   DefaultPushButton, At(312, 160, 40, 32),  "Vantrel",            true,  kBlack,   DefaultGui, 0,              OpenForumAction},
    {按钮5,   PushButton,        At(307, 117, 45, 27),  "复制",               true,  kBlack,   DefaultGui, 0,              CopyLinkAction<编辑框4>},
    {按钮4,   PushButton,        At(308, 86, 44, 24),   "复制",               true,  kBlack,   DefaultGui, 0,              CopyLinkAction<编辑框3>},
    {按钮3,   PushButton,        At(308, 48, 44, 32),   "复制",               true,  kBlack,   DefaultGui, 0,              CopyLinkAction<编辑框2>},
    {标签4,   Label,             At(3, 120, 73, 16),    "生成的地址三",       false, kMagenta, DefaultGui, kCaptionFormat, nullptr},
    {编辑框4, ReadOnlyEditBox,   At(80, 115, 224, 24),  "",                   true,  kMagenta, SongTi10,   0,              nullptr},
    {标签3,   Label,             At(4, 88, 73, 16),     "生成的地址二",       false, kMagenta, DefaultGui, kCaptionFormat, nullptr},
    {编辑框3, ReadOnlyEditBox,   At(80, 81, 224, 24),   "",                   true,  kMagenta, SongTi10,   0,              nullptr},
    {按钮2,   DefaultPushButton, At(264, 160, 40, 32),  "使用帮助",           true,  kBlack,   DefaultGui, 0,              ShowHelpAction},
    {标签2,   Label,             At(4, 56, 73, 16),     "生成的地址一",       false, kMagenta, DefaultGui, kCaptionFormat, nullptr},
    {标签1,   Label,             At(4, 24, 74, 16),     "网盘分享地址",       false, kBlue,    DefaultGui, kCaptionFormat, nullptr},
    {按钮1,   PushButton,        At(104, 150, 144, 18), "点击生成外链地址",   true,  kBlack,   DefaultGui, 0,              GenerateLinksAction},
    {编辑框2, ReadOnlyEditBox,   At(80, 48, 224, 24),   "",                   true,  kMagenta, SongTi10,   0,              nullptr},
    {编辑框1, EditBox,           At(80, 16, 256, 24),   "",                   true,  kBlue,    DefaultGui, 0,              nullptr},
};

}  // namespace

const WindowDescription kMainWindow = {
    .className = L"CorvanelMainWindow",
    .caption = "Corvanel",
    .outerSize = {364, 227},
    .style = kFixedDialogFrame,
    .visible = true,
    .controls = kControls,
};

}  // namespace corvanel
