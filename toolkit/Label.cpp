#include "Label.h"

#include "WinControl.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 13;
  AdjustBounds();
}

void TLabel::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::AdjustBounds() {
  if (!FAutoSize) return;
  TCanvas measure;
  measure.Font = FFont;
  int width = measure.TextWidth(FCaption);
  const int height = measure.TextHeight(FCaption);
  int left = FLeft;
  // The parent lays out aligned labels across its width (or height); only the other
  // dimension follows the text.
  if (FAlign == alTop || FAlign == alBottom) {
    width = FWidth;
  } else if (FAlign == alClient) {
    return;
  } else if (FAlignment == taRightJustify) {
    left = FLeft + FWidth - width;
  } else if (FAlignment == taCenter) {
    left = FLeft + (FWidth - width) / 2;
  }
  const int oldHeight = FHeight;
  SetBounds(left, FTop, width, (FAlign == alLeft || FAlign == alRight) ? FHeight : height);
  if (FAlign != alNone && FHeight != oldHeight && FParent != nullptr) FParent->AlignControls();
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  const TRect area = ClientRect();
  if (!FTransparent) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = ParentColor && FParent != nullptr ? FParent->Color() : FColor;
    canvas.FillRect(area);
  }
  if (FCaption.empty()) return;
  canvas.Font = FFont;
  canvas.Brush.Style = bsClear;
  const int textWidth = canvas.TextWidth(FCaption);
  int x = 0;
  if (FAlignment == taRightJustify)
    x = area.Width() - textWidth;
  else if (FAlignment == taCenter)
    x = (area.Width() - textWidth) / 2;
  canvas.TextOut(x, 0, FCaption);
}
