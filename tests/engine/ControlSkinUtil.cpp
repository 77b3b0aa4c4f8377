#include "ControlSkinUtil.h"

#include <sstream>

namespace enginetest {

namespace {

// Piece e, frame f: red tells the piece, green the frame, blue is fixed.
constexpr int kBlue = 99;
int RedOfPiece(TPiece p) {
  return 20 + 9 * static_cast<int>(p);
}

const char* const kPieceNames[] = {"Scrollbar",  "HorzScroll",  "VertScroll", "HorzThumb",
                                   "VertThumb",  "ComboButton", "SunkEdge",   "ExtraImages",
                                   "UpDownVert", "UpDownHorz",  "Progress",   "Chunk",
                                   "Track",      "TrackVert",   "ThumbHorz",  "ThumbVert"};

// Frames side by side, each solid.
Bitmap Strip(TPiece p, int frames, int width, int height) {
  Bitmap bmp(frames * width, height);
  for (int f = 0; f < frames; ++f)
    bmp.FillRect(RectOf(f * width, 0, width, height), PieceColor(p, f + 1));
  return bmp;
}

std::string Rgb(TColor c) {
  std::ostringstream s;
  s << RedOf(c) << " " << GreenOf(c) << " " << BlueOf(c);
  return s.str();
}

} // namespace

TColor PieceColor(TPiece piece, int frame) {
  return MakeColor(RedOfPiece(piece), 50 + 7 * frame, kBlue);
}

int FrameIn(TPiece piece, TColor c) {
  if (RedOf(c) != RedOfPiece(piece) || BlueOf(c) != kBlue) return 0;
  const int g = GreenOf(c) - 50;
  return g > 0 && g % 7 == 0 ? g / 7 : 0;
}

std::string Name(TColor c) {
  for (int p = 0; p <= static_cast<int>(TPiece::ThumbVert); ++p)
    if (const int f = FrameIn(static_cast<TPiece>(p), c))
      return std::string(kPieceNames[p]) + " " + std::to_string(f);
  if (c == StandardSpec().Face) return "ButtonFace";
  if (c == kShadow) return "ButtonShadow";
  if (c == clWhite) return "white";
  std::ostringstream s;
  s << "(" << RedOf(c) << "," << GreenOf(c) << "," << BlueOf(c) << ")";
  return s.str();
}

TSkinSpec ControlSpec(const TControlSkin& o) {
  TSkinSpec s = StandardSpec();
  std::ostringstream ini;
  // Right after the standard colours, so still in their section.
  ini << "ButtonShadow=" << Rgb(kShadow) << "\r\nButtonDkShadow=" << Rgb(kDkShadow) << "\r\n";
  auto image = [&](const char* section, const char* file, Bitmap picture,
                   const std::string& more = "") {
    s.ExtraFiles.push_back({file, std::move(picture)});
    ini << "[" << section << "]\r\nImage=" << file << "\r\n" << more;
  };
  if (o.Scrollbars) {
    image("Scrollbar", "sb.bmp", Strip(TPiece::Scrollbar, 23, 17, 17));
    image("HorzScroll", "sbh.bmp", Strip(TPiece::HorzScroll, 4, 8, 8));
    image("VertScroll", "sbv.bmp", Strip(TPiece::VertScroll, 4, 8, 8));
    image("HorzScrollThumb", "sbht.bmp", Strip(TPiece::HorzThumb, 3, 8, 8), "FrameCount=3\r\n");
    image("VertScrollThumb", "sbvt.bmp", Strip(TPiece::VertThumb, 3, 8, 8), "FrameCount=3\r\n");
  }
  image("ComboButton", "cb.bmp", Strip(TPiece::ComboButton, 4, 12, 30),
        "Style=" + std::to_string(o.ComboStyle) + "\r\n");
  if (o.SunkEdge) image("SunkEdge", "se.bmp", Strip(TPiece::SunkEdge, 4, 8, 8));
  if (o.ExtraImages) image("ExtraImages", "ex.bmp", Strip(TPiece::ExtraImages, 5, 7, 5));
  if (o.UpDown) {
    image("UpDown.Vert", "udv.bmp", Strip(TPiece::UpDownVert, 8, 10, 10));
    image("UpDown.Horz", "udh.bmp", Strip(TPiece::UpDownHorz, 8, 10, 10));
  }
  if (o.Progress) {
    // A bitmap element: its picture is under "Bitmap".
    const int frames = o.ProgressChunk ? 1 : 2;
    s.ExtraFiles.push_back({"pg.bmp", Strip(TPiece::Progress, frames, 10, 10)});
    ini << "[Progress]\r\nBitmap=pg.bmp\r\nStyle=" << (o.ProgressChunk ? 1 : 0) << "\r\n";
    if (o.ProgressChunk)
      image("Progress.Chunk", "pgc.bmp", Strip(TPiece::Chunk, 1, 6, 8),
            o.ChunkTile ? "Tile=1\r\n" : "");
  }
  if (o.Track) {
    Bitmap h(30, 6, PieceColor(TPiece::Track, 2));
    h.FillRect(RectOf(0, 0, 3, 6), PieceColor(TPiece::Track, 1));
    h.FillRect(RectOf(27, 0, 3, 6), PieceColor(TPiece::Track, 3));
    image("Track", "tr.bmp", h, "LeftWidth=3\r\nRightWidth=3\r\n");
    Bitmap v(6, 30, PieceColor(TPiece::TrackVert, 2));
    v.FillRect(RectOf(0, 0, 6, 3), PieceColor(TPiece::TrackVert, 1));
    v.FillRect(RectOf(0, 27, 6, 3), PieceColor(TPiece::TrackVert, 3));
    image("TRACKVERT", "trv.bmp", v, "TopHeight=3\r\nBottomHeight=3\r\n");
    image("Trackbar.ThumbHorz", "th.bmp", Strip(TPiece::ThumbHorz, 5, 11, 21));
    image("Trackbar.ThumbVert", "tv.bmp", Strip(TPiece::ThumbVert, 5, 21, 11));
  }
  s.ExtraIni = ini.str();
  return s;
}

TColor ClientPixel(HWND wnd, int x, int y) {
  UpdateWindow(wnd);
  HDC dc = GetDC(wnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return static_cast<TColor>(c);
}

} // namespace enginetest
