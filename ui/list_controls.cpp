// The folder tree list and the action list.
#include "ui/list_controls.h"

#include <algorithm>

#include "ui/styles.h"
#include "ui/ui_scale.h"

namespace pelrin {

int ListRowHeight() { return Scaled(kListStyle.rowHeight); }

int VisibleListRows(int height) {
  const float s = UiScale();
  return static_cast<int>((static_cast<float>(height) + 10.0F * s) / (static_cast<float>(kListStyle.rowHeight) * s));
}

// ---- CEditShowList ----

CEditShowList::CEditShowList(CWindowBase* host, const Rect& controlRect, QString caption, bool isVisible,
                             bool isShown, bool isDisabled)
    : CButtonBase(host, kId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true) {}

bool CEditShowList::SetFolderIcons(const QString& open, const QString& closed) {
  bool both = LoadSkinImage(openIcon, open, iconWidth, iconHeight);
  return LoadSkinImage(closedIcon, closed, iconWidth, iconHeight) && both;
}

TreeAddress CEditShowList::SelectAt(int y) {
  const int row = (y - rect.top) / std::max(1, ListRowHeight());
  TreeAddress address;
  if (model != nullptr && y >= rect.top && topRow + row < model->VisibleRowCount()) {
    selectedRow = topRow + row;
    address = model->RowAddress(selectedRow);
  } else {
    selectedRow = -1;
  }
  if (model != nullptr) model->Select(address);
  return address;
}

bool CEditShowList::OnLButtonDown(unsigned flags, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  CButtonBase::OnLButtonDown(flags, x, y);
  const TreeAddress address = SelectAt(y);
  if (model != nullptr && address.level >= 0) {
    const TreeNodeView node = model->Node(address);
    if (node.hasChildren && x - rect.left < Scaled(iconWidth) * (address.level + 1)) {
      model->SetExpanded(address, !node.expanded);
    }
  }
  return true;
}

bool CEditShowList::OnLButtonDblClk(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y) || model == nullptr) return false;
  const int row = topRow + (y - rect.top) / std::max(1, ListRowHeight());
  if (row >= model->VisibleRowCount()) return false;
  const TreeAddress address = model->RowAddress(row);
  if (address.level < 0) return false;
  const TreeNodeView node = model->Node(address);
  model->SetExpanded(address, !node.expanded);
  Notify(id, 0, kNotifyDoubleClicked);
  return true;
}

bool CEditShowList::OnRButtonUp(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  SelectAt(y);
  ClickPosition position{x, y};
  Notify(id, reinterpret_cast<WPARAM>(&position), kNotifyRightClicked);
  return true;
}

void CEditShowList::MakeSelectionVisible() {
  const int rows = RowCount();
  const int visibleRows = VisibleListRows(rect.Height());
  if (selectedRow == -1) {
    if (rows <= visibleRows) topRow = 0;
  } else if (selectedRow >= topRow + visibleRows) {
    topRow = selectedRow - visibleRows + 1;
  } else if (selectedRow < topRow) {
    topRow = selectedRow;
  }
  if (topRow + visibleRows > rows) topRow = rows - visibleRows;
  topRow = std::max(0, topRow);
}

void CEditShowList::Draw(QPainter& painter, const Rect&) {
  const float s = UiScale();
  FillRect(painter, rect, kListStyle.background);
  if (model == nullptr) return;
  painter.setFont(font);
  painter.setPen(ToQColor(kListStyle.text));
  const int rowHeight = ListRowHeight();
  const int inset = Scaled(kListStyle.rowInset, s);
  const int indentStep = Scaled(iconWidth + 3, s);
  const int rows = std::min(VisibleListRows(rect.Height()), model->VisibleRowCount() - topRow);
  for (int r = 0; r < rows; ++r) {
    const int modelRow = topRow + r;
    const Rect row{rect.left + inset, rect.top + rowHeight * r, rect.right - inset, rect.top + rowHeight * (r + 1)};
    if (modelRow == selectedRow) FillRect(painter, row, kListStyle.highlight);
    const TreeAddress address = model->RowAddress(modelRow);
    if (address.level < 0) continue;
    const TreeNodeView node = model->Node(address);
    int x = row.left + indentStep * address.level;
    if (node.hasChildren) {
      const SkinImage& icon = node.expanded ? openIcon : closedIcon;
      DrawImage(painter, icon, {x, row.top + Scaled(1.0, s), x + Scaled(iconWidth, s), row.top + Scaled(1.0, s) + Scaled(iconHeight, s)},
                QRect(0, 0, iconWidth, iconHeight));
      x += indentStep;
    }
    painter.setPen(ToQColor(kListStyle.text));
    DrawTextFlags(painter, {x, row.top, row.right, row.bottom}, node.name, kDtSingleLine | kDtVCenter | kDtWordEllipsis);
  }
}

void CEditShowList::ReleaseImages() {
  openIcon.Reset();
  closedIcon.Reset();
}

// ---- CImageShowList ----

QString ActionText(std::uint32_t action, const IActionListModel& names) {
  const int code = static_cast<int>(action & 0xFF);
  const int b1 = static_cast<int>((action >> 8) & 0xFF);
  const int b2 = static_cast<int>((action >> 16) & 0xFF);
  const int b3 = static_cast<int>((action >> 24) & 0xFF);
  if (code < 8) return QStringLiteral("%1ms").arg(static_cast<unsigned>(b1 * 65536 + b2 * 256 + b3));
  const bool forward = b3 < 128;
  const int amount = forward ? b3 : 256 - b3;
  switch (code) {
    case 229:
      return (forward ? QStringLiteral("Move Right %1") : QStringLiteral("Move Left %1")).arg(amount);
    case 230:
      return (forward ? QStringLiteral("Move Down %1") : QStringLiteral("Move Up %1")).arg(amount);
    case 231:
      return (forward ? QStringLiteral("Wheel Down %1") : QStringLiteral("Wheel Up %1")).arg(amount);
    default:
      return names.KeyName(code);
  }
}

CImageShowList::CImageShowList(CWindowBase* host, const Rect& controlRect, QString caption, bool isVisible,
                               bool isShown, bool isDisabled)
    : CButtonBase(host, kId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true) {}

bool CImageShowList::SetIcons(const QString& keyDown, const QString& keyUp, const QString& delay) {
  bool all = LoadSkinImage(keyDownIcon, keyDown, iconWidth, iconHeight);
  all = LoadSkinImage(keyUpIcon, keyUp, iconWidth, iconHeight) && all;
  return LoadSkinImage(delayIcon, delay, iconWidth, iconHeight) && all;
}

int CImageShowList::RowCount() const {
  return model != nullptr ? std::clamp(model->ActionCount(), 0, kMaxActions) : 0;
}

bool CImageShowList::OnLButtonDown(unsigned flags, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  CButtonBase::OnLButtonDown(flags, x, y);
  const int row = topRow + (y - rect.top) / std::max(1, ListRowHeight());
  if (row < RowCount()) selectedRow = row;
  return true;
}

bool CImageShowList::OnLButtonDblClk(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  Notify(id, 0, kNotifyDoubleClicked);
  return false;
}

void CImageShowList::Draw(QPainter& painter, const Rect&) {
  const float s = UiScale();
  FillRect(painter, rect, kListStyle.background);
  if (model == nullptr) return;
  painter.setFont(font);
  const int rowHeight = ListRowHeight();
  const int rows = std::min(VisibleListRows(rect.Height()), RowCount() - topRow);
  for (int r = 0; r < rows; ++r) {
    const int index = topRow + r;
    const Rect row{rect.left + Scaled(kListStyle.actionRowIndent, s), rect.top + rowHeight * r,
                   rect.right - Scaled(kListStyle.rowInset, s), rect.top + rowHeight * (r + 1)};
    if (index == selectedRow) FillRect(painter, row, kListStyle.highlight);
    const std::uint32_t action = model->Action(index < kMaxActions ? index : 0);
    const int code = static_cast<int>(action & 0xFF);
    // A release (bit 7 of byte 1) shows the key-up icon, a press the key-down icon.
    const bool release = ((action >> 8) & 0x80) != 0;
    const SkinImage& icon = code < 8 ? delayIcon : (release ? keyUpIcon : keyDownIcon);
    const int iconLeft = row.left - Scaled(15.0, s);
    const int iconTop = row.top + Scaled(3.0, s);
    DrawImage(painter, icon, {iconLeft, iconTop, iconLeft + Scaled(iconWidth, s), iconTop + Scaled(iconHeight, s)},
              QRect(0, 0, iconWidth, iconHeight));
    painter.setPen(ToQColor(kListStyle.text));
    DrawTextFlags(painter, row, ActionText(action, *model), kDtSingleLine | kDtVCenter | kDtWordEllipsis);
  }
}

void CImageShowList::ReleaseImages() {
  keyDownIcon.Reset();
  keyUpIcon.Reset();
  delayIcon.Reset();
}

}  // namespace pelrin
