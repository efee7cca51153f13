#include "document/win32/KindPictures.h"

#include <cstdint>
#include <vector>

#include "document/TextRules.h"
#include "win32/DibSection.h"
#include "win32/Fonts.h"

namespace velmora::win32 {
namespace {

// GDI draws without anti-aliasing, so each picture is drawn at four times
// its size and averaged down: smooth edges on any background colour.
constexpr int kOversampling = 4;
// Pictures are designed in a 48 x 48 space, scaled to the drawn size.
constexpr int kDesignSize = 48;
// The signs on the pictures, left unsmoothed: the averaging smooths them.
constexpr FontLook kSignFontLook{L"Tahoma", FW_BOLD, DEFAULT_CHARSET, OUT_TT_PRECIS, NONANTIALIASED_QUALITY,
                                 VARIABLE_PITCH};

using GdiPen = UniqueHandleOf<HPEN, &DeleteObject>;
using GdiRegion = UniqueHandleOf<HRGN, &DeleteObject>;

// Draws in design units on a device context that is `scale` times larger.
class Canvas {
 public:
  Canvas(HDC dc, double scale) : dc_(dc), scale_(scale) {}

  int S(double v) const { return static_cast<int>(v * scale_ + 0.5); }
  POINT P(double x, double y) const { return {S(x), S(y)}; }

  void Shape(HRGN region, COLORREF fill, COLORREF edge, double edgeWidth) {
    UniqueBrush fillBrush(CreateSolidBrush(fill));
    FillRgn(dc_, region, fillBrush.get());
    UniqueBrush edgeBrush(CreateSolidBrush(edge));
    const int w = S(edgeWidth);
    FrameRgn(dc_, region, edgeBrush.get(), w, w);
  }
  GdiRegion Ellipse(double l, double t, double r, double b) const {
    return GdiRegion(CreateEllipticRgn(S(l), S(t), S(r), S(b)));
  }
  GdiRegion Polygon(std::initializer_list<std::pair<double, double>> points) const {
    std::vector<POINT> list;
    for (const auto& [x, y] : points) list.push_back(P(x, y));
    return GdiRegion(CreatePolygonRgn(list.data(), static_cast<int>(list.size()), WINDING));
  }
  void Bar(double x1, double y1, double x2, double y2, double width, COLORREF colour) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    GdiPen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND, static_cast<DWORD>(S(width)), &brush, 0,
                            nullptr));
    SelectedObject selected(dc_, pen.get());
    MoveToEx(dc_, S(x1), S(y1), nullptr);
    LineTo(dc_, S(x2), S(y2));
  }
  void Disc(double cx, double cy, double radius, COLORREF colour) {
    GdiRegion region = Ellipse(cx - radius, cy - radius, cx + radius, cy + radius);
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRgn(dc_, region.get(), brush.get());
  }
  void Sign(const wchar_t* text, double l, double t, double r, double b, double height, COLORREF colour) {
    const UniqueFont font = CreatePixelFont(kSignFontLook, S(height));
    SelectedObject selected(dc_, font.get());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    RECT box{S(l), S(t), S(r), S(b)};
    DrawTextW(dc_, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

 private:
  HDC dc_;
  double scale_;
};

constexpr COLORREF kBubbleEdge = RGB(40, 96, 190);
constexpr COLORREF kBubbleSign = RGB(20, 80, 200);

void DrawBubble(Canvas& c, const wchar_t* sign) {
  GdiRegion bubble = c.Ellipse(3, 3, 45, 36);
  GdiRegion tail = c.Polygon({{12, 28}, {7, 45}, {24, 33}});
  CombineRgn(bubble.get(), bubble.get(), tail.get(), RGN_OR);
  c.Shape(bubble.get(), kWhite, kBubbleEdge, 2);
  c.Sign(sign, 3, 3, 45, 36, 28, kBubbleSign);
}

void DrawTriangle(Canvas& c) {
  GdiRegion triangle = c.Polygon({{24, 3}, {46, 43}, {2, 43}});
  c.Shape(triangle.get(), RGB(255, 204, 0), RGB(120, 90, 0), 2);
  c.Bar(24, 17, 24, 31, 5, RGB(0, 0, 0));
  c.Disc(24, 37.5, 3, RGB(0, 0, 0));
}

void DrawStop(Canvas& c) {
  GdiRegion disc = c.Ellipse(3, 3, 45, 45);
  c.Shape(disc.get(), RGB(214, 32, 32), RGB(130, 10, 10), 2);
  c.Bar(16, 16, 32, 32, 6, kWhite);
  c.Bar(32, 16, 16, 32, 6, kWhite);
}

void DrawKind(Canvas& c, int kind) {
  switch (kind) {
    case Question: return DrawBubble(c, L"?");
    case Information: return DrawBubble(c, L"i");
    case Exclaimation: return DrawTriangle(c);
    default: return DrawStop(c);
  }
}

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

UniqueBitmap RenderKind(int kind, int size, COLORREF background) {
  const int big = size * kOversampling;
  DibSection large = CreateDibSection(big);
  DibSection small = CreateDibSection(size);
  if (large.bits == nullptr || small.bits == nullptr) return nullptr;
  {
    UniqueDc dc(CreateCompatibleDC(nullptr));
    SelectedObject selected(dc.get(), large.bitmap.get());
    RECT all{0, 0, big, big};
    UniqueBrush brush(CreateSolidBrush(background));
    FillRect(dc.get(), &all, brush.get());
    Canvas canvas(dc.get(), static_cast<double>(big) / kDesignSize);
    DrawKind(canvas, kind);
    GdiFlush();
  }
  constexpr int kSamples = kOversampling * kOversampling;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t sum[3] = {0, 0, 0};
      for (int dy = 0; dy < kOversampling; ++dy) {
        const std::uint32_t* row = large.bits + static_cast<std::ptrdiff_t>(y * kOversampling + dy) * big;
        for (int dx = 0; dx < kOversampling; ++dx) {
          const std::uint32_t p = row[x * kOversampling + dx];
          sum[0] += Channel(p, 0);
          sum[1] += Channel(p, 8);
          sum[2] += Channel(p, 16);
        }
      }
      small.bits[y * size + x] =
          0xFF000000u | ((sum[2] / kSamples) << 16) | ((sum[1] / kSamples) << 8) | (sum[0] / kSamples);
    }
  }
  return std::move(small.bitmap);
}

}  // namespace

KindPictures::KindPictures(int size, COLORREF background) : size_(size) {
  for (int kind = 0; kind < 4; ++kind) pictures_[static_cast<std::size_t>(kind)] = RenderKind(kind, size, background);
}

HBITMAP KindPictures::Picture(int kind) const {
  if (kind < 0 || kind >= 4) return nullptr;
  return pictures_[static_cast<std::size_t>(kind)].get();
}

void KindPictures::Draw(HDC dc, int kind, int x, int y) const {
  HBITMAP picture = Picture(kind);
  if (picture == nullptr) return;
  UniqueDc source(CreateCompatibleDC(dc));
  SelectedObject selected(source.get(), picture);
  BitBlt(dc, x, y, size_, size_, source.get(), 0, 0, SRCCOPY);
}

}  // namespace velmora::win32
