#include "help_window.h"

namespace corvanel {

const char kHelpText[] =
    "\r\n"
    "\r\n"
    "1.在百度网盘中上传要作为QQ空间背景音乐的MP3文件，然后分享\r\n"
    "\r\n"
    "2.在网盘地址一栏中填写百度网盘的分享地址，然后点击“生成外链地址并复制”按钮即可生成QQ空间背景音乐地址。\r\n"
    "\r\n"
    "\r\n"
    "注意：本工具仅支持百度网盘\r\n"
    "\r\n"
    "百度网盘帐号申请：https://passport.baidu.com/v2/?reg ,\r\n"
    "\r\n"
    "\r\n"
    "Corvanel 祝你的空间好音乐常伴";

namespace {

constexpr ControlDescription kControls[] = {
    {ControlName::标签1, ControlKind::Label, At(24, 0, 336, 192), kHelpText, false, kRed, ControlFont::DefaultGui,
     DT_CENTER | DT_WORDBREAK | DT_NOPREFIX, nullptr},
};

}  // namespace

const WindowDescription kHelpWindow = {
    .className = L"CorvanelHelpWindow",
    .caption = "",
    .outerSize = {380, 250},
    .style = kFixedDialogFrame,
    .visible = true,
    .controls = kControls,
};

}  // namespace corvanel
