// A highlight circle over one configurable group of the card: its looks, its
// popup window with the group's settings panel, and its entry in the main menu.
#pragma once

#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

class TMainMenu;
class TMenuItem;
class TPopupForm;
class TRadioPanel;

enum THighlightType : std::uint8_t { htOptions = 0, htSettings = 1, htCalibration = 2 };

// Tints an ellipse inscribed in a 32-bit bitmap that already holds the image beneath.
void TintEllipse(TBitmap& Bitmap, int MaxX, int MaxY, bool Bright, TColor Color, float Alpha);
// Removes every "&".
std::string StripAmpersands(const std::string& S);
// The string made into an identifier: leading characters dropped until a letter or "_",
// then every character that is not a letter, digit or "_".
std::string MakeIdentifier(const std::string& S);

class TBoardHighlight : public TGraphicControl {
  TK_CLASS_NAME(TBoardHighlight)
 public:
  explicit TBoardHighlight(TComponent* AOwner);
  ~TBoardHighlight() override;

  bool CreatePopup = true;
  THighlightType HighlightType() const { return FHighlightType; }
  void SetHighlightType(THighlightType Value);
  TRadioPanel* RadioPanel() const { return FRadioPanel; }
  // Refuses, silently, a panel that an unlinked highlight on the same parent already uses.
  void SetRadioPanel(TRadioPanel* Value);
  // Sets the panel without checks.
  void LinkRadioPanel(TRadioPanel* Value);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value);

  // Read by the popup and the menus, and by tests.
  bool Hot() const { return FHot; }
  bool PopupActive() const { return FPopupActive; }
  bool Pinned() const { return FPinned; }
  bool Prepared() const { return FPrepared; }
  TPopupForm* Popup() const { return FPopup; }
  const std::string& PopupCaption() const { return FPopupCaption; }
  const std::string& NameStem() const { return FNameStem; }
  TColor HighlightColor() const { return FHighlightColor; }
  float NormalAlpha() const { return FNormalAlpha; }
  float StrongAlpha() const { return FStrongAlpha; }
  float BrightAlpha() const { return FBrightAlpha; }
  const TBitmap& NormalBitmap() const { return FNormalBitmap; }
  const TBitmap& StrongBitmap() const { return FStrongBitmap; }
  const TBitmap& BrightBitmap() const { return FBrightBitmap; }
  TMainMenu* MainMenu() const { return FMainMenu; }

  void Paint() override;
  void Click() override;

  // The mouse-enter and mouse-leave notices; WParam 1 marks one relayed from a linked highlight.
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  void ShowPopup();
  void Pin();
  void PinPopup();
  void SetPopupActive(bool Value, bool Relay);
  void PopupClosed(TObject* Sender, TCloseAction& Action);
  void ClearHot();
  void DoneClick(TObject* Sender);

  void AddToMenu();
  void CheckMenuEntry(bool Value);
  void MenuClick(TObject* Sender);
  void PreviousClick(TObject* Sender);
  void NextClick(TObject* Sender);

  // Whether Other shares this highlight's popup: same board, Title and type.
  bool IsLinkedWith(const TBoardHighlight* Other) const;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void RenderLooks();
  void Prepare();
  // Calls Fn on every linked highlight, this one included, walking the parent's
  // children by index up to the count taken at the start.
  void ForEachLinked(const std::function<void(TBoardHighlight*)>& Fn);
  // This highlight's entry in its group menu: the first entry captioned with its Title.
  bool FindMenuEntry(TMenuItem*& GroupMenu, int& Index) const;
  // Previous (-1) and Next (+1): close this popup and open the neighbouring entry's.
  void StepThroughMenu(int Direction);

  TBitmap FNormalBitmap;
  TBitmap FBrightBitmap;
  TBitmap FStrongBitmap;
  float FNormalAlpha = 0.0f;
  float FBrightAlpha = 0.0f;
  float FStrongAlpha = 0.0f;
  TColor FHighlightColor = clYellow;
  THighlightType FHighlightType = htOptions;
  bool FHot = false;
  TPopupForm* FPopup = nullptr;
  std::string FTitle;
  std::string FPopupCaption;
  std::string FNameStem;
  TMainMenu* FMainMenu = nullptr;
  bool FPrepared = false;
  bool FPinned = false;
  TRadioPanel* FRadioPanel = nullptr;
  bool FPopupActive = false;
};
