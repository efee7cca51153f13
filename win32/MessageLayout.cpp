#include "win32/MessageLayout.h"

#include <algorithm>

#include "win32/DialogUnits.h"
#include "win32/WicPicture.h"

namespace velmora::win32 {
namespace {

constexpr UINT kOneLine = DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;
constexpr UINT kWrapping = kOneLine | DT_WORDBREAK | DT_EDITCONTROL;

SIZE Measure(HDC dc, std::wstring_view text, int width, UINT flags) {
  RECT rect{0, 0, width, 0};
  if (!text.empty()) DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, flags);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

int LineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return static_cast<int>(metrics.tmHeight);
}

// All buttons share one width: the widest caption, at least the system's.
int ButtonWidth(HDC dc, const DialogUnits& units, const std::wstring* captions, int count) {
  int widest = 0;
  for (int i = 0; i < count; ++i) {
    widest = std::max(widest, static_cast<int>(Measure(dc, captions[i], 0, DT_CALCRECT | DT_SINGLELINE).cx));
  }
  return MessageButtonWidth(units, widest);
}

// The text's size within the largest it may be; `scrolling` when even that
// is too small.
SIZE TextSize(HDC dc, const DialogUnits& u, const MessageLayoutRequest& request, SIZE largest, bool& scrolling) {
  using namespace message_box_units;
  if (request.naturalWidth) {
    const SIZE natural = Measure(dc, request.text, 0, kOneLine);
    return natural.cx > largest.cx ? Measure(dc, request.text, largest.cx, kWrapping) : natural;
  }
  SIZE text = Measure(dc, request.text, std::min(u.X(kTextWrapWidth), static_cast<int>(largest.cx)), kWrapping);
  if (text.cy > largest.cy) text = Measure(dc, request.text, largest.cx, kWrapping);
  if (text.cy > largest.cy) {
    scrolling = true;
    text = largest;
  }
  return text;
}

}  // namespace

MessageLayout CalculateMessageLayout(HDC dc, const MessageLayoutRequest& request, const RECT& workArea) {
  using namespace message_box_units;
  // No static objects here: the player stub runs without the C runtime's
  // start-up, which would construct and register them.
  const DialogUnits u(dc);
  const int margin = u.X(kMarginX);
  const int marginY = u.Y(kMarginY);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  const int iconGap = u.X(kIconGap);
  const SIZE frame = FrameSize(request.style, request.exStyle);
  const int frameWidth = static_cast<int>(frame.cx);
  const int frameHeight = static_cast<int>(frame.cy);
  const int buttonCount = request.buttonCaptions != nullptr ? std::min(request.buttonCount, kMaxMessageButtons) : 0;
  const int buttonWidth = ButtonWidth(dc, u, request.buttonCaptions, buttonCount);
  const int buttonHeight = u.Y(kButtonHeight);
  const int buttonGap = u.X(kButtonGap);
  const int buttonsWidth = buttonCount * buttonWidth + std::max(buttonCount - 1, 0) * buttonGap;
  const int statusHeight = request.statusLine ? LineHeight(dc) : 0;

  const int chromeWidth = frameWidth + 2 * margin + iconWidth + iconGap;
  const int chromeHeight = frameHeight + 2 * marginY + u.Y(kButtonRowGap) + statusHeight + buttonHeight;
  const int workWidth = static_cast<int>(workArea.right - workArea.left);
  const int workHeight = static_cast<int>(workArea.bottom - workArea.top);
  // The picture within the widest client area and, so that the message
  // keeps room below it, two thirds of the height it may take.
  const SIZE picture =
      FitWithin(request.picture, SIZE{workWidth - frameWidth - 2 * margin, (workHeight - chromeHeight) * 2 / 3});
  const int pictureBlock = picture.cy > 0 ? static_cast<int>(picture.cy) + marginY : 0;
  const SIZE largest{std::max(u.X(kTextMinimumWidth), workWidth - chromeWidth),
                     std::max(u.Y(kTextMinimumHeight), workHeight - chromeHeight - pictureBlock)};
  MessageLayout layout;
  const SIZE text = TextSize(dc, u, request, largest, layout.scrollingText);

  const int contentHeight = std::max(static_cast<int>(text.cy), iconHeight);
  const int clientWidth = std::min(std::max({2 * margin + iconWidth + iconGap + static_cast<int>(text.cx),
                                             2 * margin + buttonsWidth, 2 * margin + static_cast<int>(picture.cx),
                                             request.minimumClientWidth}),
                                   workWidth - frameWidth);
  const int clientHeight = 2 * marginY + pictureBlock + contentHeight + u.Y(kButtonRowGap) + statusHeight + buttonHeight;

  // The picture comes first, centred: what to look for, then what to do.
  const int pictureLeft = (clientWidth - static_cast<int>(picture.cx)) / 2;
  if (pictureBlock > 0) layout.picture = {pictureLeft, marginY, pictureLeft + picture.cx, marginY + picture.cy};
  int iconTop = marginY + pictureBlock;
  int textTop = marginY + pictureBlock;
  if (!request.iconAtTop && iconHeight >= text.cy) {
    textTop = iconTop + (iconHeight - static_cast<int>(text.cy)) / 2;
  } else if (!request.iconAtTop) {
    iconTop = textTop + (static_cast<int>(text.cy) - iconHeight) / 2;
  }
  layout.icon = {margin, iconTop, margin + iconWidth, iconTop + iconHeight};
  const int textLeft = margin + iconWidth + iconGap;
  layout.text = {textLeft, textTop, textLeft + static_cast<int>(text.cx), textTop + static_cast<int>(text.cy)};

  const int statusTop = marginY + pictureBlock + contentHeight + u.Y(kButtonRowGap) / 2;
  if (request.statusLine) layout.status = {textLeft, statusTop, clientWidth - margin, statusTop + statusHeight};
  const int buttonTop = marginY + pictureBlock + contentHeight + u.Y(kButtonRowGap) + statusHeight;
  int left = (clientWidth - buttonsWidth) / 2;
  for (int i = 0; i < buttonCount; ++i) {
    layout.buttons[static_cast<std::size_t>(i)] = {left, buttonTop, left + buttonWidth, buttonTop + buttonHeight};
    left += buttonWidth + buttonGap;
  }
  layout.buttonCount = buttonCount;
  layout.window = {clientWidth + frameWidth, clientHeight + frameHeight};
  return layout;
}

}  // namespace velmora::win32
