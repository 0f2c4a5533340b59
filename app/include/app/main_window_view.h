#pragma once

// What identification, discovery and the download worker see of the main
// window: the controls they write and the two edit boxes they read, by the
// window's own control names. The desktop window, the terminal and the
// tests each implement it. Writes may come from a download worker's thread.

#include "platform/text.h"

namespace fernwick {

enum class Control {
    标签1,       // status of identification
    标签3,       // picture count and download progress
    标签5,       // the uploader's name
    图片框3,     // the uploader's avatar
    进度条1,     // download progress, 0 to 100
    高级选择夹1, // tab control: page 0 "首页", page 1 "下载"
    编辑框1,     // the address box
    编辑框2,     // the save folder
};

// The control's name as the window definition spells it.
Text control_name(Control control);

class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void set_caption(Control label, const Text& caption) = 0;
    // Encoded image bytes; empty bytes clear the picture box.
    virtual void set_picture(Control picture_box, const ByteBuffer& image) = 0;
    virtual void set_position(Control progress_bar, int position) = 0;
    virtual void set_page(Control tab_control, int page) = 0;
    virtual Text text(Control edit_box) const = 0;
};

} // namespace fernwick
