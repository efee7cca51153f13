#include "app/win32/ImageLists.h"

#include <algorithm>

#include "win32/DibSection.h"
#include "win32/Fonts.h"

namespace velmora::win32 {

namespace {

// Every picture is drawn in a 16 x 16 logical space; the mapping mode scales
// it to the requested size.
constexpr int kLogicalSize = 16;
// The letters on the pictures, smoothed: they are drawn at their own size.
constexpr FontLook kSignFontLook{L"Arial", FW_BOLD, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, ANTIALIASED_QUALITY};

class Painter {
 public:
  explicit Painter(HDC dc) : dc_(dc) {}

  void Ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF line) {
    WithPenAndBrush(fill, line, 1, [&] { ::Ellipse(dc_, l, t, r, b); });
  }
  void Rect(int l, int t, int r, int b, COLORREF fill, COLORREF line) {
    WithPenAndBrush(fill, line, 1, [&] { ::Rectangle(dc_, l, t, r, b); });
  }
  void Polygon(std::initializer_list<POINT> points, COLORREF fill, COLORREF line) {
    const std::vector<POINT> list(points);
    WithPenAndBrush(fill, line, 1, [&] { ::Polygon(dc_, list.data(), static_cast<int>(list.size())); });
  }
  void Line(int x1, int y1, int x2, int y2, COLORREF colour, int width) {
    UniqueHandleOf<HPEN, &DeleteObject> pen(CreatePen(PS_SOLID, width, colour));
    SelectedObject selected(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
  }
  void Text(const wchar_t* text, RECT box, int height, COLORREF colour) {
    const UniqueFont font = CreatePixelFont(kSignFontLook, height);
    SelectedObject selected(dc_, font.get());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    DrawTextW(dc_, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

 private:
  template <typename Draw>
  void WithPenAndBrush(COLORREF fill, COLORREF line, int width, Draw draw) {
    UniqueHandleOf<HPEN, &DeleteObject> pen(CreatePen(PS_SOLID, width, line));
    UniqueBrush brush(CreateSolidBrush(fill));
    SelectedObject selectedPen(dc_, pen.get());
    SelectedObject selectedBrush(dc_, brush.get());
    draw();
  }

  HDC dc_;
};

constexpr COLORREF kBalloonBlue = RGB(38, 110, 214);
constexpr COLORREF kBalloonEdge = RGB(16, 60, 140);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void DrawBalloon(Painter& p, const wchar_t* sign) {
  p.Polygon({{4, 10}, {3, 15}, {9, 11}}, kBalloonBlue, kBalloonEdge);
  p.Ellipse(1, 1, 16, 13, kBalloonBlue, kBalloonEdge);
  p.Text(sign, {1, 1, 16, 13}, 11, kWhite);
}

void DrawTriangle(Painter& p) {
  p.Polygon({{8, 1}, {15, 14}, {1, 14}}, RGB(255, 206, 0), RGB(140, 100, 0));
  p.Text(L"!", {1, 4, 16, 14}, 10, kBlack);
}

void DrawStop(Painter& p) {
  p.Ellipse(1, 1, 15, 15, RGB(220, 30, 30), RGB(130, 0, 0));
  p.Line(5, 5, 11, 11, kWhite, 2);
  p.Line(11, 5, 5, 11, kWhite, 2);
}

void DrawSquare(Painter& p, COLORREF colour) { p.Rect(2, 2, 14, 14, colour, RGB(60, 60, 60)); }

void DrawTreeDiagram(Painter& p) {
  const COLORREF line = RGB(80, 80, 80);
  p.Line(4, 6, 4, 13, line, 1);
  p.Line(4, 7, 10, 7, line, 1);
  p.Line(4, 13, 10, 13, line, 1);
  p.Rect(1, 1, 8, 8, RGB(255, 230, 0), line);
  p.Rect(9, 5, 15, 10, RGB(0, 200, 0), line);
  p.Rect(9, 11, 15, 16, RGB(230, 0, 0), line);
}

void DrawNewSheet(Painter& p) {
  const COLORREF edge = RGB(110, 110, 110);
  p.Polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, kWhite, edge);
  p.Polygon({{10, 1}, {10, 4}, {13, 4}}, RGB(225, 225, 225), edge);
}

void DrawOpenFolder(Painter& p) {
  const COLORREF edge = RGB(150, 110, 20);
  p.Polygon({{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 14}, {1, 14}}, RGB(230, 180, 60), edge);
  p.Polygon({{4, 7}, {15, 7}, {12, 14}, {1, 14}}, RGB(255, 220, 110), edge);
}

void DrawFloppy(Painter& p, int l, int t, int size, COLORREF body) {
  const int r = l + size;
  const int b = t + size;
  p.Rect(l, t, r, b, body, RGB(20, 20, 50));
  p.Rect(l + 3, t, r - 3, t + size / 2 - 1, kWhite, RGB(20, 20, 50));
  p.Rect(l + 3, b - 5, r - 3, b, RGB(190, 190, 200), RGB(20, 20, 50));
  p.Rect(l + size / 2, b - 4, l + size / 2 + 2, b - 1, RGB(60, 60, 80), RGB(60, 60, 80));
}

void DrawFloppySaveAs(Painter& p) {
  DrawFloppy(p, 0, 0, 13, RGB(120, 40, 140));
  p.Polygon({{8, 14}, {9, 11}, {14, 6}, {16, 8}, {11, 13}}, RGB(255, 200, 40), RGB(120, 80, 0));
}

void Draw(Painter& p, PictureName name) {
  switch (name) {
    case PictureName::QuestionBalloon: return DrawBalloon(p, L"?");
    case PictureName::InformationBalloon: return DrawBalloon(p, L"i");
    case PictureName::WarningTriangle: return DrawTriangle(p);
    case PictureName::StopCircle: return DrawStop(p);
    case PictureName::GreenSquare: return DrawSquare(p, RGB(0, 210, 0));
    case PictureName::RedSquare: return DrawSquare(p, RGB(230, 0, 0));
    case PictureName::YellowSquare: return DrawSquare(p, RGB(255, 230, 0));
    case PictureName::TreeDiagram: return DrawTreeDiagram(p);
    case PictureName::NewSheet: return DrawNewSheet(p);
    case PictureName::OpenFolder: return DrawOpenFolder(p);
    case PictureName::FloppyDisk: return DrawFloppy(p, 1, 1, 14, RGB(40, 64, 150));
    case PictureName::FloppyDiskSaveAs: return DrawFloppySaveAs(p);
    case PictureName::Empty: return;
  }
}

// GDI knows no alpha: the picture is drawn once on black and once on white,
// and the difference between the two gives each pixel's coverage, so that
// anti-aliased edges blend into any background.
std::vector<std::uint32_t> RenderOn(COLORREF background, PictureName name, int size) {
  DibSection dib = CreateDibSection(size);
  UniqueDc dc(CreateCompatibleDC(nullptr));
  SelectedObject selected(dc.get(), dib.bitmap.get());
  RECT all{0, 0, size, size};
  UniqueBrush brush(CreateSolidBrush(background));
  FillRect(dc.get(), &all, brush.get());
  SetMapMode(dc.get(), MM_ANISOTROPIC);
  SetWindowExtEx(dc.get(), kLogicalSize, kLogicalSize, nullptr);
  SetViewportExtEx(dc.get(), size, size, nullptr);
  Painter painter(dc.get());
  Draw(painter, name);
  GdiFlush();
  return std::vector<std::uint32_t>(dib.bits, dib.bits + size * size);
}

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

}  // namespace

Picture DrawPicture(PictureName name, int size) {
  if (name == PictureName::Empty) {
    // Image lists take a picture whose alpha is zero everywhere for one
    // without an alpha channel and draw it black; one barely covered pixel
    // keeps it transparent.
    Picture empty;
    empty.size = size;
    empty.pixels.assign(static_cast<std::size_t>(size * size), 0);
    empty.pixels[0] = 0x01000000;
    return empty;
  }
  const std::vector<std::uint32_t> onBlack = RenderOn(RGB(0, 0, 0), name, size);
  const std::vector<std::uint32_t> onWhite = RenderOn(RGB(255, 255, 255), name, size);
  Picture picture;
  picture.size = size;
  picture.pixels.resize(onBlack.size());
  for (std::size_t i = 0; i < onBlack.size(); ++i) {
    const std::uint32_t b = onBlack[i];
    const std::uint32_t w = onWhite[i];
    // Coverage from the green channel, which GDI's text smoothing treats
    // like the others.
    const int difference = static_cast<int>(Channel(w, 8)) - static_cast<int>(Channel(b, 8));
    const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(255 - difference, 0, 255));
    auto premultiplied = [&](int shift) { return std::min(Channel(b, shift), alpha) << shift; };
    picture.pixels[i] = (alpha << 24) | premultiplied(16) | premultiplied(8) | premultiplied(0);
  }
  return picture;
}

UniqueBitmap ToBitmap(const Picture& picture) {
  DibSection dib = CreateDibSection(picture.size);
  std::copy(picture.pixels.begin(), picture.pixels.end(), dib.bits);
  return std::move(dib.bitmap);
}

namespace {

UniqueImageList CreateList(int size, std::initializer_list<PictureName> names) {
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(names.size()), 0));
  for (PictureName name : names) {
    UniqueBitmap bitmap = ToBitmap(DrawPicture(name, size));
    ImageList_Add(list.get(), bitmap.get(), nullptr);
  }
  return list;
}

constexpr PictureName kKindPictures[] = {PictureName::QuestionBalloon, PictureName::InformationBalloon,
                                         PictureName::WarningTriangle, PictureName::StopCircle};

}  // namespace

EditorImageLists::EditorImageLists(int size) {
  imageList1_ = CreateList(size, {kKindPictures[0], kKindPictures[1], kKindPictures[2], kKindPictures[3],
                                  PictureName::GreenSquare, PictureName::RedSquare, PictureName::Empty});
  const PictureName popup[] = {PictureName::TreeDiagram, PictureName::YellowSquare, PictureName::GreenSquare,
                               PictureName::RedSquare,   kKindPictures[0],          kKindPictures[1],
                               kKindPictures[2],         kKindPictures[3]};
  imageList2_ = CreateList(size, {popup[0], popup[1], popup[2], popup[3], popup[4], popup[5], popup[6], popup[7]});
  const PictureName main[] = {PictureName::NewSheet, PictureName::OpenFolder, PictureName::FloppyDisk,
                              PictureName::FloppyDiskSaveAs};
  imageList3_ = CreateList(size, {main[0], main[1], main[2], main[3]});
  for (std::size_t i = 0; i < popupBitmaps_.size(); ++i) popupBitmaps_[i] = ToBitmap(DrawPicture(popup[i], size));
  for (std::size_t i = 0; i < mainMenuBitmaps_.size(); ++i) mainMenuBitmaps_[i] = ToBitmap(DrawPicture(main[i], size));
}

}  // namespace velmora::win32
