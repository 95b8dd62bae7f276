// The panel that shows the picture of the card and carries the highlight circles.
#pragma once

#include "toolkit/Bitmap.h"
#include "toolkit/Panel.h"

class TBoardHighlight;
class TMainMenu;

// The program's own message: open the first highlight's popup, held.
constexpr std::uint32_t WM_BOARDSTART = WM_USER + 162;  // 1186

class TBoardImage : public TCustomPanel {
  TK_CLASS_NAME(TBoardImage)
 public:
  explicit TBoardImage(TComponent* AOwner);
  ~TBoardImage() override;

  TBoardHighlight* First() const { return FFirst; }
  void SetFirst(TBoardHighlight* Value) { FFirst = Value; }
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value) { FMenu = Value; }
  bool CenterOnForm() const { return FCenterOnForm; }
  void SetCenterOnForm(bool Value) { FCenterOnForm = Value; }
  bool Scale() const { return FScale; }
  void SetScale(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Setting copies the given picture; the change notice recomputes the drawing state.
  TPicture& Picture() { return *FPicture; }
  void SetPicture(const TPicture& Value) { FPicture->Assign(Value); }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // The rectangle the picture is drawn into.
  TRect PictureBounds() const;
  // Where the window definition placed the panel, recorded at its first paint.
  int DesignLeft() const { return FDesignLeft; }
  int DesignTop() const { return FDesignTop; }
  bool PositionRecorded() const { return FPositionRecorded; }
  bool LeftButtonReleased() const { return FLeftButtonReleased; }
  double HeightToWidth() const { return FHeightToWidth; }

  void Paint() override;
  // The window's size changed: the panel centres itself at once, so that the first
  // paint after it already finds the panel in place.
  void AnchorToParentSize(int ParentWidth, int ParentHeight) override;
  // Proposes the picture's size while AutoSize is on.
  bool CanAutoSize(int& NewWidth, int& NewHeight) const;

 protected:
  void WndProc(TMessage& Message) override;
  void LButtonDown(TMessage& Message) override;
  void LButtonUp(TMessage& Message) override;
  void MouseMove(TMessage& Message) override;

 private:
  void PictureUpdated(TObject* Sender);
  // Palette realisation matters only on palette displays, which this program does not serve.
  bool ApplyPaletteChange() { return false; }
  void BoardStart(TMessage& Message);
  void RecordDesignPosition();
  // Centres the panel on its parent's outer size; true when it moved.
  bool CenterOnParent();

  TPicture* FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
  bool FPainting = false;
  double FHeightToWidth = 1.0;
  bool FScale = true;
  TMainMenu* FMenu = nullptr;
  bool FCenterOnForm = true;
  bool FPositionRecorded = false;
  bool FLeftButtonReleased = false;
  TBoardHighlight* FFirst = nullptr;
  int FDesignLeft = 0;
  int FDesignTop = 0;
  bool FAutoSize = true;
  // The drag follows the mouse while the left button is held.
  bool FDragging = false;
  TPoint FDragStart;
  int FDragLeft = 0;
  int FDragTop = 0;
};
