#include "FrameRules.h"

#include <algorithm>

namespace {
// As laid out: images at 592 in a strip 790 wide, rows 580 wide.
constexpr int kImageFromRight = 790 - 592;
constexpr int kRowsBeforeImage = 592 - 580;
} // namespace

BottomStrip BottomStripFor(int mainWidth, int stripWidth)
{
    BottomStrip strip{};
    strip.imageLeft = stripWidth - kImageFromRight;
    strip.rowWidth = std::min(mainWidth, strip.imageLeft - kRowsBeforeImage);
    strip.settingLeft = strip.rowWidth - 90;
    strip.profileWidth = strip.settingLeft - 83;
    strip.openLeft = strip.rowWidth - 90;
    strip.browseLeft = strip.openLeft - 85;
    strip.outputWidth = strip.browseLeft - 83;
    strip.percentLeft = strip.rowWidth - 27;
    strip.barWidth = strip.percentLeft - 123;
    strip.fileWidth = strip.rowWidth - 115;
    return strip;
}

int SplitterDragWidth(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                      int panelWidth, int widest)
{
    if (buttons != Qt::LeftButton || modifiers != Qt::NoModifier || x == 0)
        return -1;
    // The bar's middle stays under the pointer; a wild drag cannot push the panel out of the
    // window or below nothing.
    return std::clamp(panelWidth - x + 5, 0, std::max(0, widest));
}
