// The highlight's model and drawing: its type, title, looks and first-paint preparation.
#include "BoardHighlight.h"

#include <cmath>

#include "BoardImage.h"
#include "toolkit/Menu.h"

namespace {
struct TTypeLooks {
  TColor Color;
  float Normal;
  float Strong;
  float Bright;
};
// Colour and look strengths of each highlight type, by ordinal.
constexpr TTypeLooks kTypeLooks[] = {
    {clBlue, 0.25f, 0.5f, 1.0f},   // htOptions
    {clYellow, 0.5f, 0.75f, 1.0f}, // htSettings
    {clRed, 0.5f, 0.75f, 1.0f},    // htCalibration
};

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsIdentStart(char c) { return IsAsciiLetter(c) || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

// Rounds to the nearest integer, halves to the even neighbour, kept within a byte.
std::uint8_t RoundChannel(double v) {
  const double r = std::nearbyint(v);
  return static_cast<std::uint8_t>(r < 0.0 ? 0.0 : (r > 255.0 ? 255.0 : r));
}
}  // namespace

void TintEllipse(TBitmap& Bitmap, int MaxX, int MaxY, bool Bright, TColor Color, float Alpha) {
  // A picture narrower or lower than two pixels has no ellipse to tint.
  if (MaxX < 1 || MaxY < 1) return;
  const float stepX = static_cast<float>(2.0 / MaxX);
  const float stepY = static_cast<float>(2.0 / MaxY);
  const double colour[3] = {static_cast<double>(GetBValue(Color)), static_cast<double>(GetGValue(Color)),
                            static_cast<double>(GetRValue(Color))};
  for (int y = 0; y <= MaxY; ++y) {
    std::uint8_t* row = Bitmap.ScanLine(y);
    const float v = static_cast<float>(static_cast<double>(y) * stepY - 1.0);
    for (int x = 0; x <= MaxX; ++x) {
      const float u = static_cast<float>(static_cast<double>(x) * stepX - 1.0);
      const float d = static_cast<float>(static_cast<double>(u) * u + static_cast<double>(v) * v);
      if (d >= 1.0f) continue;
      std::uint8_t* px = row + 4 * x;
      float h;
      if (static_cast<double>(d) < 0.5929) {
        h = 0.16f;
      } else {
        const float r = static_cast<float>(std::sqrt(static_cast<double>(d)));
        h = static_cast<float>(1.0 - std::fabs(static_cast<double>(r) - 0.875) * 8.0);
        if (Bright) {
          h = static_cast<float>(static_cast<double>(h) * 2.0);
          if (h > 1.0f) {
            // The core of the bright ring is white.
            px[0] = px[1] = px[2] = 0xFF;
            px[3] = 0;
            h = static_cast<float>(2.0 - static_cast<double>(h));
          }
        }
      }
      const float k = static_cast<float>(static_cast<double>(h) * Alpha);
      const float m = static_cast<float>(1.0 - static_cast<double>(k));
      for (int c = 0; c < 3; ++c) px[c] = RoundChannel(px[c] * static_cast<double>(m) + colour[c] * static_cast<double>(k));
    }
  }
}

std::string StripAmpersands(const std::string& S) {
  std::string out;
  for (char c : S) {
    if (c != '&') out += c;
  }
  return out;
}

std::string MakeIdentifier(const std::string& S) {
  if (S.empty()) return S;
  bool isIdent = IsIdentStart(S[0]);
  for (size_t i = 1; isIdent && i < S.size(); ++i) isIdent = IsIdentChar(S[i]);
  if (isIdent) return S;
  size_t start = 0;
  while (start < S.size() && !IsIdentStart(S[start])) ++start;
  if (start == S.size()) return std::string();
  std::string out(1, S[start]);
  for (size_t i = start + 1; i < S.size(); ++i) {
    if (IsIdentChar(S[i])) out += S[i];
  }
  return out;
}

TBoardHighlight::TBoardHighlight(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 65, 65);
  FNormalBitmap.SetPixelFormat(pf32bit);
  FBrightBitmap.SetPixelFormat(pf32bit);
  FStrongBitmap.SetPixelFormat(pf32bit);
  SetHighlightType(htSettings);
}

TBoardHighlight::~TBoardHighlight() {
  // The popup window is owned by this highlight and goes with it; forget it first
  // so that its closing notices find nothing to update.
  SetComponentState(csDestroying, true);
  DestroyComponents();
  FPopup = nullptr;
}

void TBoardHighlight::SetHighlightType(THighlightType Value) {
  if (Value == FHighlightType) return;
  FHighlightType = Value;
  const TTypeLooks& looks = kTypeLooks[Value];
  FHighlightColor = looks.Color;
  FNormalAlpha = looks.Normal;
  FStrongAlpha = looks.Strong;
  FBrightAlpha = looks.Bright;
  Invalidate();
}

void TBoardHighlight::SetTitle(const std::string& Value) {
  if (Value == FTitle) return;
  FTitle = Value;
  FPopupCaption = StripAmpersands(Value);
  FNameStem = MakeIdentifier(Value);
}

void TBoardHighlight::RenderLooks() {
  const int w = Width(), h = Height();
  struct Look {
    TBitmap& Bitmap;
    bool Bright;
    float Alpha;
  };
  Look looks[] = {{FNormalBitmap, false, FNormalAlpha}, {FBrightBitmap, true, FBrightAlpha}, {FStrongBitmap, false, FStrongAlpha}};
  for (Look& look : looks) {
    look.Bitmap.SetSize(w, h);
    // The canvas shows the board as painted so far under this highlight.
    look.Bitmap.Canvas().CopyRect(Rect(0, 0, w, h), Canvas(), Rect(0, 0, w, h));
    TintEllipse(look.Bitmap, w - 1, h - 1, look.Bright, FHighlightColor, look.Alpha);
  }
}

void TBoardHighlight::Prepare() {
  RenderLooks();
  if (IsExactly<TBoardImage>(Parent())) {
    FMainMenu = static_cast<TBoardImage*>(Parent())->Menu();
    AddToMenu();
  } else {
    FMainMenu = nullptr;
  }
}

void TBoardHighlight::Paint() {
  if (IsDesigning()) {
    RenderLooks();
  } else if (!FPrepared) {
    Prepare();
    FPrepared = true;
  }
  const TBitmap* look = &FNormalBitmap;
  if (FPopupActive && FHot)
    look = &FBrightBitmap;
  else if (FPopupActive || FHot)
    look = &FStrongBitmap;
  Canvas().Draw(0, 0, look);
}

void TBoardHighlight::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: TGraphicControl::WndProc(Message); break;
  }
}
