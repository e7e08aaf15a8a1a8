// The clickable controls: one pointer state machine shared by every button, and the buttons that draw it.
#pragma once

#include <array>
#include <cstdint>

#include "ui/control_base.h"
#include "ui/skin.h"

namespace pelrin {

enum ButtonState : int { kStateNormal = 0, kStateHover = 1, kStatePressed = 2 };

// Selection bits of the radio-style buttons, shared with the code that loads settings into them.
inline constexpr std::uint32_t kInitialRadioSelectionMask = 0x00280282;
std::uint32_t& RadioSelectionMask();
// The bit of a radio button and the bits of its group; false for identifiers outside every group.
bool RadioGroupOf(unsigned id, std::uint32_t& bit, std::uint32_t& group);
// DPI stages 1 to 8 drawn as selected, in the low byte; initially 0x02.
inline constexpr std::uint32_t kInitialDpiStageMask = 0x02;
std::uint32_t& DpiStageMask();

// Hover follows the pointer, a press holds until release, a release inside clicks. Members change only
// what a click does to them, what they report and how they look.
class CButtonBase : public CControlBase {
 public:
  using CControlBase::CControlBase;

  bool OnMouseMove(unsigned flags, int x, int y) override;
  bool OnLButtonDown(unsigned flags, int x, int y) override;
  bool OnLButtonUp(unsigned flags, int x, int y) override;

  int state = kStateNormal;

 protected:
  // After a move has set the state (not while disabled or pressed).
  virtual void OnMoved(bool inside);
  // A release inside, before the click is reported; returns true when the look changed.
  virtual bool ApplyClick(int x, int y);
  virtual void SendPressed();
  virtual void SendClicked();
  void DrawCaption(QPainter& painter, const QString& caption, ColorRef colour, int leftInset, int rightInset,
                   unsigned format) const;
};

class CImageButton : public CButtonBase {
 public:
  CImageButton(CWindowBase* host, unsigned id, const Rect& rect, QString caption, unsigned textFormat,
               bool visible, bool shown, bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);
  void SetTextInset(int left);
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage normalImage, hoverImage;
  int imageWidth = 0, imageHeight = 0;
  unsigned textFormat;
  int leftInset = 0, rightInset = 0;

 protected:
  void OnMoved(bool inside) override;
  void SendClicked() override;
};

class CCheckButton : public CButtonBase {
 public:
  CCheckButton(CWindowBase* host, unsigned id, const Rect& rect, QString caption, unsigned textFormat,
               bool visible, bool shown, bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);
  bool SetDownImage(const QString& file);
  void SetCheck(bool isChecked) { checked = isChecked; }
  bool GetCheck() const { return checked; }
  void SetTextInset(int left, int right);
  void SetLookTexts(QString unchecked, QString checkedLook);
  void SetCheckedTextWhite();
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage normalImage, hoverImage, checkedImage;
  int imageWidth = 0, imageHeight = 0;
  bool checked = false;
  unsigned textFormat;
  int leftInset = 0, rightInset = 0;
  QString uncheckedText, checkedText;
  ColorRef checkedColour;

 protected:
  bool ApplyClick(int x, int y) override;
};

class CRadioButton : public CButtonBase {
 public:
  CRadioButton(CWindowBase* host, unsigned id, const Rect& rect, QString caption, bool visible, bool shown,
               bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);
  bool SetDownImage(const QString& file);
  bool IsSelected() const;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage normalImage, hoverImage, selectedImage;
  int imageWidth = 0, imageHeight = 0;

 protected:
  bool ApplyClick(int x, int y) override;
};

class CDPIRadioButton : public CButtonBase {
 public:
  CDPIRadioButton(CWindowBase* host, unsigned id, const Rect& rect, QString caption, bool visible, bool shown,
                  bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);
  bool SetDownImage(const QString& file);
  // Stage 1 to 8 for identifiers 3290 to 3297, else 0.
  int Stage() const;
  bool IsSelected() const;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage normalImage, hoverImage, selectedImage;
  int imageWidth = 0, imageHeight = 0;
  int value = 0;  // DPI in units of 50
  ColorRef textColor;

 protected:
  bool ApplyClick(int x, int y) override;
};

class CColorSelectButton : public CButtonBase {
 public:
  CColorSelectButton(CWindowBase* host, unsigned id, const Rect& rect, const Rect& swatch, QString caption,
                     bool visible, bool shown, bool disabled);
  void Draw(QPainter& painter, const Rect& update) override;

  Rect swatchRect;
  ColorRef color;
};

class CColorSelectCheckButton : public CButtonBase {
 public:
  CColorSelectCheckButton(CWindowBase* host, unsigned id, const Rect& rect, QString caption, bool visible,
                          bool shown, bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);  // the selected look
  bool OnLButtonDblClk(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage normalImage, selectedImage;
  int imageWidth = 0, imageHeight = 0;
  bool selected = false;
  ColorRef color;
};

class CComboButton : public CButtonBase {
 public:
  static constexpr int kEnterMessages = 5;  // code-4 reports per entry

  CComboButton(CWindowBase* host, unsigned id, const Rect& rect, unsigned resultMessage, QString comboText,
               QString caption, unsigned textFormat, bool visible, bool shown, bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);
  void SetComboText(const QString& newText);
  QString GetComboText() const { return comboText; }
  void SetTextInset(int left, int right);
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  unsigned resultMessage;
  QString comboText;
  SkinImage normalImage, hoverImage;
  int imageWidth = 0, imageHeight = 0;
  unsigned textFormat;
  int leftInset = 0, rightInset = 0;
  bool holdHover = false;  // set by the owner while the combo's popup is open
  int enterCounter = 0;
  bool entered = false;
  bool left = true;  // the pointer starts outside: no leave report before an entry

 protected:
  void OnMoved(bool inside) override;
  void SendClicked() override;
};

class CLinkButton : public CButtonBase {
 public:
  static constexpr unsigned kId = 3503;
  CLinkButton(CWindowBase* host, const Rect& rect, QString caption, unsigned textFormat, bool visible, bool shown,
              bool disabled);
  void Draw(QPainter& painter, const Rect& update) override;

  unsigned textFormat;
  bool entered = false;

 protected:
  void OnMoved(bool inside) override;
};

class CPowerManageButton : public CButtonBase {
 public:
  static constexpr unsigned kId = 3500;
  CPowerManageButton(CWindowBase* host, const Rect& rect, QString caption, bool visible, bool shown,
                     bool disabled);
  bool LoadImages();  // the eight dial images of 3 to 10 minutes
  void SetControlRect(const Rect& newRect) override;
  bool OnLButtonUp(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;
  // The wedge (2 to 9) that holds the point, the lower one on a shared edge; -1 for none.
  int WedgeAt(int x, int y) const;

  std::array<SkinImage, 8> images;
  int imageWidth = 0, imageHeight = 0;
  int value = 6;  // sleep minutes, 1 to 10

 private:
  void BuildWedges();
  struct Triangle {
    QPoint a, b, c;
  };
  std::array<Triangle, 8> wedges_{};  // wedges 2 to 9
};

}  // namespace pelrin
