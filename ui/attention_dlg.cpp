// The generic warning box.
#include "ui/attention_dlg.h"

#include "ui/styles.h"
#include "ui/ui_scale.h"

namespace pelrin {
namespace {
Rect ScaledRect(const Rect& design) {
  return {Scaled(design.left), Scaled(design.top), Scaled(design.right), Scaled(design.bottom)};
}
}  // namespace

CAttentionDlg::CAttentionDlg(QString titleText, QString messageText, QWidget* parent)
    : CDlgBase(parent), title(std::move(titleText)), message(std::move(messageText)) {
  SetDesignSize(kAttentionStyle.width, kAttentionStyle.height);
  OnMessage(kOkButtonId, [this](WPARAM, LPARAM code) -> LRESULT {
    if (code != kNotifyClicked) return 0;
    ReleaseControlImages();
    EndDialog(kIdOk);
    return 0;
  });
}

bool CAttentionDlg::OnInitDialog() {
  SetFrameBitmapFile(QString::fromLatin1(kAttentionStyle.frame));
  return CDlgBase::OnInitDialog();
}

void CAttentionDlg::CreateControls(int, int, int, int) {
  auto ok = std::make_unique<CImageButton>(this, kOkButtonId, ScaledRect(kAttentionStyle.okRect), okText, kDtCenter,
                                           true, true, false);
  ok->SetNormalImage(QString::fromLatin1(kAttentionStyle.buttonNormal));
  ok->SetHoverImage(QString::fromLatin1(kAttentionStyle.buttonHover));
  AddControl(1, std::move(ok));
}

void CAttentionDlg::DrawDecorations(QPainter& painter) {
  painter.setFont(captionFont);
  painter.setPen(ToQColor(kAttentionStyle.titleText));
  DrawTextFlags(painter, ScaledRect(kAttentionStyle.titleRect), title, kDtSingleLine | kDtVCenter | kDtWordEllipsis);
  painter.setFont(MakeFont(UiFont().height, UiFont().face));
  painter.setPen(ToQColor(kAttentionStyle.messageText));
  DrawTextFlags(painter, ScaledRect(kAttentionStyle.messageRect), message, kDtCenter);
}

}  // namespace pelrin
