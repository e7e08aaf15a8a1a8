// The two list controls of the macro windows: a three-level folder tree and a macro's action list.
#pragma once

#include <cstdint>

#include "ui/buttons.h"

namespace pelrin {

// Where a row of the tree sits: its level (0 to 2, -1 for none) and the indices along its path.
struct TreeAddress {
  int level = -1;
  int index[3] = {-1, -1, -1};
  friend bool operator==(const TreeAddress& a, const TreeAddress& b) {
    return a.level == b.level && a.index[0] == b.index[0] && a.index[1] == b.index[1] && a.index[2] == b.index[2];
  }
};

struct TreeNodeView {
  QString name;
  bool hasChildren = false;
  bool expanded = false;
};

// What the tree list needs of the model behind it.
class ITreeListModel {
 public:
  virtual ~ITreeListModel() = default;
  virtual int VisibleRowCount() const = 0;
  virtual TreeAddress RowAddress(int row) const = 0;
  virtual TreeNodeView Node(const TreeAddress& address) const = 0;
  virtual void SetExpanded(const TreeAddress& address, bool expanded) = 0;
  // The list's selection changed; level -1 means nothing is selected.
  virtual void Select(const TreeAddress& address) = 0;
};

// A list row's height and how many rows fit in a list of `height` pixels.
int ListRowHeight();
int VisibleListRows(int height);

struct ClickPosition {
  int x;
  int y;
};

class CEditShowList : public CButtonBase {
 public:
  static constexpr unsigned kId = 2015;
  CEditShowList(CWindowBase* host, const Rect& rect, QString caption, bool visible, bool shown, bool disabled);
  void SetModel(ITreeListModel* treeModel) { model = treeModel; }
  bool SetFolderIcons(const QString& open, const QString& closed);
  // Scrolls so that the selected row is in view.
  void MakeSelectionVisible();
  int RowCount() const { return model != nullptr ? model->VisibleRowCount() : 0; }
  bool OnLButtonDown(unsigned flags, int x, int y) override;
  bool OnLButtonDblClk(unsigned flags, int x, int y) override;
  bool OnRButtonUp(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage openIcon, closedIcon;
  int iconWidth = 0, iconHeight = 0;
  ITreeListModel* model = nullptr;
  int selectedRow = -1;
  int topRow = 0;

 protected:
  void SendPressed() override {}

 private:
  // Selects the row under y; returns its address (level -1 below the last row).
  TreeAddress SelectAt(int y);
};

// What the action list needs: action words whose low byte is the code, and names of key codes.
class IActionListModel {
 public:
  virtual ~IActionListModel() = default;
  virtual int ActionCount() const = 0;
  virtual std::uint32_t Action(int index) const = 0;  // index below 336
  virtual QString KeyName(int code) const = 0;
};

// The text of one action word.
QString ActionText(std::uint32_t action, const IActionListModel& names);

class CImageShowList : public CButtonBase {
 public:
  static constexpr unsigned kId = 2020;
  static constexpr int kMaxActions = 336;
  CImageShowList(CWindowBase* host, const Rect& rect, QString caption, bool visible, bool shown, bool disabled);
  void SetModel(const IActionListModel* actionModel) { model = actionModel; }
  bool SetIcons(const QString& keyDown, const QString& keyUp, const QString& delay);
  int RowCount() const;
  bool OnLButtonDown(unsigned flags, int x, int y) override;
  bool OnLButtonDblClk(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage keyDownIcon, keyUpIcon, delayIcon;
  int iconWidth = 0, iconHeight = 0;
  const IActionListModel* model = nullptr;
  int selectedRow = -1;
  int topRow = 0;

 protected:
  void SendPressed() override {}
};

}  // namespace pelrin
