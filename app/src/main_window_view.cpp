#include "app/main_window_view.h"

namespace fernwick {

Text control_name(Control control)
{
    switch (control) {
    case Control::标签1:
        return "标签1";
    case Control::标签3:
        return "标签3";
    case Control::标签5:
        return "标签5";
    case Control::图片框3:
        return "图片框3";
    case Control::进度条1:
        return "进度条1";
    case Control::高级选择夹1:
        return "高级选择夹1";
    case Control::编辑框1:
        return "编辑框1";
    case Control::编辑框2:
        return "编辑框2";
    }
    return {};
}

} // namespace fernwick
