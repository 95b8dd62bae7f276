#include "BoardImage.h"

#include <cmath>

#include "BoardHighlight.h"
#include "toolkit/Screen.h"

TBoardImage::TBoardImage(TComponent* AOwner) : TCustomPanel(AOwner), FPicture(new TPicture()) {
  FPicture->OnChange = [this](TObject* Sender) { PictureUpdated(Sender); };
  SetBounds(Left(), Top(), 105, 105);
  FHeightToWidth = 1.0;
  FAutoSize = true;
  FScale = true;
  FMenu = nullptr;
  FCenterOnForm = true;
  FPositionRecorded = false;
  FStretch = false;
}

TBoardImage::~TBoardImage() {
  delete FPicture;
  FPicture = nullptr;
}

void TBoardImage::SetScale(bool Value) {
  if (Value == FScale) return;
  FScale = Value;
  PictureUpdated(this);
}

void TBoardImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  PictureUpdated(this);
}

void TBoardImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  PictureUpdated(this);
}

void TBoardImage::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  PictureUpdated(this);
}

void TBoardImage::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  int w = Width(), h = Height();
  if (FAutoSize && CanAutoSize(w, h)) SetBounds(Left(), Top(), w, h);
}

bool TBoardImage::CanAutoSize(int& NewWidth, int& NewHeight) const {
  const int pw = FPicture->Width(), ph = FPicture->Height();
  if (pw <= 0 || ph <= 0) return true;
  if (Align() == alNone || Align() == alLeft || Align() == alRight) NewWidth = pw;
  if (Align() == alNone || Align() == alTop || Align() == alBottom) NewHeight = ph;
  return true;
}

TRect TBoardImage::PictureBounds() const {
  const int pw = FPicture->Width(), ph = FPicture->Height();
  if (FStretch) return Rect(0, 0, Width(), Height());
  if (FCenter) return Bounds((Width() - pw) / 2, (Height() - ph) / 2, pw, ph);
  return Rect(0, 0, pw, ph);
}

void TBoardImage::PictureUpdated(TObject*) {
  const int pw = FPicture->Width(), ph = FPicture->Height();
  if (pw > 0 && ph > 0) {
    const double ratio = static_cast<double>(ph) / static_cast<double>(pw);
    FHeightToWidth = std::isfinite(ratio) ? ratio : 1.0;
  }
  if (FAutoSize && pw > 0 && ph > 0) SetBounds(Left(), Top(), pw, ph);
  if (TGraphic* g = FPicture->Graphic(); g != nullptr && !g->Empty()) {
    g->Transparent = FTransparent;
    // A picture that covers the whole panel needs no erase before each repaint.
    SetOpaque(!g->Transparent && (FStretch || (g->Width() >= Width() && g->Height() >= Height())));
    if (ApplyPaletteChange() && FPainting) Update();
  } else {
    SetOpaque(false);
  }
  if (!FPainting) Invalidate();
}

void TBoardImage::RecordDesignPosition() {
  if (FPositionRecorded) return;
  FDesignLeft = Left();
  FDesignTop = Top();
  FPositionRecorded = true;
}

bool TBoardImage::CenterOnParent() {
  if (!FCenterOnForm || IsDesigning() || Parent() == nullptr) return false;
  const TRect before = BoundsRect();
  // The parent's outer size: for a window that includes its frame and menu bar.
  SetBounds((Parent()->Width() - Width()) / 2, (Parent()->Height() - Height()) / 2, Width(), Height());
  return !(BoundsRect() == before);
}

void TBoardImage::AnchorToParentSize(int ParentWidth, int ParentHeight) {
  TCustomPanel::AnchorToParentSize(ParentWidth, ParentHeight);
  // The design position is the one the definition gave, recorded before any centring.
  RecordDesignPosition();
  CenterOnParent();
}

void TBoardImage::Paint() {
  RecordDesignPosition();
  // This pass still draws where the panel was; the panel is drawn again where it now stands.
  if (CenterOnParent()) Invalidate();
  const bool wasPainting = FPainting;
  FPainting = true;
  try {
    if (TGraphic* g = FPicture->Graphic(); g != nullptr && !g->Empty()) Canvas().StretchDraw(PictureBounds(), g);
  } catch (...) {
    FPainting = wasPainting;
    throw;
  }
  FPainting = wasPainting;
}

void TBoardImage::WndProc(TMessage& Message) {
  if (Message.Msg == WM_BOARDSTART) {
    BoardStart(Message);
    return;
  }
  TCustomPanel::WndProc(Message);
}

void TBoardImage::LButtonDown(TMessage& Message) {
  TCustomPanel::LButtonDown(Message);
  FLeftButtonReleased = false;
  if (FCenterOnForm) return;
  // The drag follows mouse moves while the button is held; the release ends it.
  SetCursor(crHandPoint);
  GetCursorPos(FDragStart);
  FDragLeft = Left();
  FDragTop = Top();
  FDragging = true;
}

void TBoardImage::MouseMove(TMessage& Message) {
  TCustomPanel::MouseMove(Message);
  if (!FDragging) return;
  TPoint p;
  GetCursorPos(p);
  SetBounds(FDragLeft + (p.x - FDragStart.x), FDragTop + (p.y - FDragStart.y), Width(), Height());
}

void TBoardImage::LButtonUp(TMessage& Message) {
  if (FDragging) {
    MouseMove(Message);
    FDragging = false;
  }
  TCustomPanel::LButtonUp(Message);
  SetCursor(crDefault);
  FLeftButtonReleased = true;
}

void TBoardImage::BoardStart(TMessage& Message) {
  if (FFirst == nullptr) return;
  FFirst->CMMouseEnter(Message);
  FFirst->Click();
  FFirst->CMMouseLeave(Message);
}
