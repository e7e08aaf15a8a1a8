// The generic warning box: a title, a message and an OK button.
#pragma once

#include "ui/buttons.h"
#include "ui/dlg_base.h"

namespace pelrin {

class CAttentionDlg : public CDlgBase {
 public:
  static constexpr unsigned kOkButtonId = 2001;

  CAttentionDlg(QString title, QString message, QWidget* parent = nullptr);

  QString title;
  QString message;
  QString okText = QStringLiteral("OK");

 protected:
  bool OnInitDialog() override;
  void CreateControls(int left, int top, int right, int bottom) override;
  void DrawDecorations(QPainter& painter) override;
};

}  // namespace pelrin
