#include "skintool/DefaultSkin.h"

#include "skintool/DefaultSkinParts.h"

#include <algorithm>

std::vector<TNamedBitmap> DefaultSkinBitmaps() {
  std::vector<TNamedBitmap> out;
  auto add = [&out](const char* name, Bitmap image) { out.push_back({name, std::move(image)}); };
  const Bitmap left = FrameLeft(), right = FrameRight(), top = FrameTop(), bottom = FrameBottom();
  add("f-left.bmp", left);
  add("f-left-mask.bmp", MaskOf(left));
  add("f-right.bmp", right);
  add("f-right-mask.bmp", MaskOf(right));
  add("f-top.bmp", top);
  add("f-top-mask.bmp", MaskOf(top));
  add("f-bottom.bmp", bottom);
  add("f-bottom-mask.bmp", MaskOf(bottom));
  add("caption-back.bmp", CaptionTextBack());
  add("caption-close.bmp", CaptionButton(kCloseGlyph));
  add("caption-max.bmp", CaptionButton(kMaximizeGlyph));
  add("caption-min.bmp", CaptionButton(kMinimizeGlyph));
  add("caption-restore.bmp", CaptionButton(kRestoreGlyph));
  add("mdi-buttons.bmp", MdiButtons());
  add("menu-bar.bmp", MenuBar());
  add("menu-item.bmp", MenuItem());
  add("pane.bmp", RaisedPane());
  add("push-button.bmp", PushButton());
  add("check.bmp", CheckBoxes());
  add("radio.bmp", RadioButtons());
  add("progress.bmp", ProgressBar());
  add("tabs.bmp", Tabs());
  add("combo-button.bmp", ComboButton());
  add("sunken-edge.bmp", SunkenEdge());
  add("extra.bmp", ExtraImages());
  add("status-edges.bmp", StatusBarEdges());
  add("scroll-arrows.bmp", ScrollBarStrip());
  add("scroll-track.bmp", ScrollTrack());
  add("bevel.bmp", Bevels());
  add("track-thumb-vert.bmp", TrackThumbVert());
  add("track-channel.bmp", TrackChannel());
  add("updown.bmp", UpDownButtons());
  add("updown-glyph-horz.bmp", UpDownGlyphs(false));
  add("updown-glyph-vert.bmp", UpDownGlyphs(true));
  std::sort(out.begin(), out.end(),
            [](const TNamedBitmap& a, const TNamedBitmap& b) { return a.Name < b.Name; });
  return out;
}
