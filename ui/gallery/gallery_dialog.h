// A dialog holding one of every toolkit control, and a list popup, for looking at and clicking the skin.
#pragma once

#include <QImage>
#include <vector>

#include "ui/dlg_base.h"
#include "ui/list_controls.h"

namespace pelrin {

class CListPopup;

class CGalleryDlg : public CDlgBase {
 public:
  static constexpr int kDesignWidth = 660;
  static constexpr int kDesignHeight = 440;
  static constexpr unsigned kComboResultMessage = 1030;
  static constexpr unsigned kAttentionButtonId = 2047;
  static constexpr unsigned kCloseButtonId = 2001;
  static constexpr unsigned kComboId = 2013;
  static constexpr int kMenuKind = 14;  // the insert-menu look: 117 wide

  explicit CGalleryDlg(QWidget* parent = nullptr);
  ~CGalleryDlg() override;

  // Initialises the dialog without showing it, for rendering.
  void Prepare();
  // The dialog with the combo's menu drawn open beside it.
  QImage RenderShowcase();
  // Opens the combo's menu as a real popup.
  void OpenMenu();

 protected:
  void CreateControls(int left, int top, int right, int bottom) override;
  void DrawDecorations(QPainter& painter) override;

 private:
  class TreeModel;
  class ActionModel;
  CListPopup* NewMenu() const;
  std::unique_ptr<TreeModel> tree_;
  std::unique_ptr<ActionModel> actions_;
  bool created_ = false;
};

}  // namespace pelrin
