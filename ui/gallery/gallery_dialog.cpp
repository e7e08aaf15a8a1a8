// The gallery dialog: every control of the toolkit with skin images, wired to show what it reports.
#include "ui/gallery/gallery_dialog.h"

#include "ui/attention_dlg.h"
#include "ui/buttons.h"
#include "ui/popup.h"
#include "ui/styles.h"
#include "ui/ui_scale.h"
#include "ui/value_controls.h"

namespace pelrin {
namespace {

Rect D(int left, int top, int right, int bottom) {
  return {Scaled(left), Scaled(top), Scaled(right), Scaled(bottom)};
}

QString S(const char* name) { return QString::fromLatin1(name); }

}  // namespace

class CGalleryDlg::TreeModel : public ITreeListModel {
 public:
  struct Item {
    QString name;
    std::vector<Item> children;
    bool expanded = false;
  };
  TreeModel() {
    roots_ = {{S("Games"), {{S("Shooter"), {{S("Burst x3"), {}, false}, {S("Reload"), {}, false}}, true},
                            {S("Strategy"), {{S("Build queue"), {}, false}}, false}}, true},
              {S("Office"), {{S("Copy line"), {}, false}}, false},
              {S("Quick jump"), {}, false}};
  }
  int VisibleRowCount() const override { return static_cast<int>(Rows().size()); }
  TreeAddress RowAddress(int row) const override {
    const auto rows = Rows();
    return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)] : TreeAddress{};
  }
  TreeNodeView Node(const TreeAddress& a) const override {
    const Item* n = Find(a);
    if (n == nullptr) return {};
    return {n->name, !n->children.empty(), n->expanded};
  }
  void SetExpanded(const TreeAddress& a, bool expanded) override {
    if (auto* n = const_cast<Item*>(Find(a))) n->expanded = expanded;
  }
  void Select(const TreeAddress& a) override { selected_ = a; }

 private:
  const Item* Find(const TreeAddress& a) const {
    if (a.level < 0) return nullptr;
    const std::vector<Item>* level = &roots_;
    const Item* node = nullptr;
    for (int l = 0; l <= a.level; ++l) {
      const int i = a.index[l];
      if (i < 0 || i >= static_cast<int>(level->size())) return nullptr;
      node = &(*level)[static_cast<std::size_t>(i)];
      level = &node->children;
    }
    return node;
  }
  std::vector<TreeAddress> Rows() const {
    std::vector<TreeAddress> rows;
    Collect(roots_, TreeAddress{}, 0, rows);
    return rows;
  }
  static void Collect(const std::vector<Item>& nodes, TreeAddress base, int level,
                      std::vector<TreeAddress>& rows) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      TreeAddress a = base;
      a.level = level;
      a.index[level] = static_cast<int>(i);
      rows.push_back(a);
      if (nodes[i].expanded && level < 2) Collect(nodes[i].children, a, level + 1, rows);
    }
  }
  std::vector<Item> roots_;
  TreeAddress selected_;
};

class CGalleryDlg::ActionModel : public IActionListModel {
 public:
  int ActionCount() const override { return static_cast<int>(actions_.size()); }
  std::uint32_t Action(int index) const override {
    return index >= 0 && index < static_cast<int>(actions_.size()) ? actions_[static_cast<std::size_t>(index)] : 0;
  }
  QString KeyName(int code) const override {
    if (code >= 'A' && code <= 'Z') return QString(QChar(code));
    if (code == 0xE0) return S("Left Button");
    return QStringLiteral("Key %1").arg(code);
  }

 private:
  // Low byte first: code, then b1, b2, b3.
  std::vector<std::uint32_t> actions_{0x00000041, 0x32000003, 0x00008041, 0x000000E0, 0x64000003,
                                      0x000080E0, 0x050000E5, 0xFB0000E6, 0x030000E7, 0x0F270003};
};

CGalleryDlg::CGalleryDlg(QWidget* parent)
    : CDlgBase(parent), tree_(std::make_unique<TreeModel>()), actions_(std::make_unique<ActionModel>()) {
  SetDesignSize(kDesignWidth, kDesignHeight);
  OnMessage(kCloseButtonId, [this](WPARAM, LPARAM code) -> LRESULT {
    if (code == kNotifyClicked) EndDialog(kIdCancel);
    return 0;
  });
  OnMessage(kAttentionButtonId, [this](WPARAM, LPARAM code) -> LRESULT {
    if (code != kNotifyClicked) return 0;
    CAttentionDlg box(S("Attention"), S("This is the warning box of the toolkit."), this);
    box.DoModal();
    return 0;
  });
  OnMessage(kComboResultMessage, [this](WPARAM, LPARAM code) -> LRESULT {
    if (code == kNotifyClicked) OpenMenu();
    return 0;
  });
  // The menu's choice, its focus loss and its closing.
  OnMessage(kComboResultMessage + 1, [this](WPARAM, LPARAM lparam) -> LRESULT {
    const auto* result = reinterpret_cast<const PopupResult*>(lparam);
    if (auto* combo = dynamic_cast<CComboButton*>(GetControl(kComboId)); combo != nullptr && result != nullptr) {
      combo->SetComboText(result->text);
    }
    ClosePopup(0);
    return 0;
  });
  OnMessage(CWndPopup::FocusLossMessage(kMenuKind), [this](WPARAM, LPARAM) -> LRESULT {
    ClosePopup(0);
    return 0;
  });
  OnMessage(kPopupClosedMessage, [this](WPARAM, LPARAM) -> LRESULT {
    if (auto* combo = dynamic_cast<CComboButton*>(GetControl(kComboId))) combo->holdHover = false;
    Invalidate();
    return 0;
  });
}

CGalleryDlg::~CGalleryDlg() = default;

void CGalleryDlg::Prepare() {
  if (created_) return;
  setFixedSize(windowWidth, windowHeight);
  CreateControls(0, 0, width(), height());
}

void CGalleryDlg::CreateControls(int, int, int, int) {
  if (created_) return;
  created_ = true;
  SetFrameBitmapFile(S("skins/Frame_Macro_Manager.bmp"));
  const float s = UiScale();

  auto title = std::make_unique<CStaticText>(this, 3402, D(12, 6, 400, 26), Rgb(255, 255, 255), kDtSingleLine,
                                             S("pelrin toolkit gallery"), true, true);
  title->SetDisplayText(title->text);
  AddControl(1, std::move(title));

  auto close = std::make_unique<CImageButton>(this, kCloseButtonId, D(625, 8, 640, 23), QString(), 0, true, true, false);
  close->SetNormalImage(S("skins/exit_nr.png"));
  close->SetHoverImage(S("skins/exit_ov.png"));
  AddControl(1, std::move(close));
  auto minimise = std::make_unique<CImageButton>(this, 2002, D(605, 8, 620, 23), QString(), 0, true, true, false);
  minimise->SetNormalImage(S("skins/min_nr.png"));
  minimise->SetHoverImage(S("skins/min_ov.png"));
  AddControl(1, std::move(minimise));

  auto apply = std::make_unique<CImageButton>(this, kAttentionButtonId, D(20, 40, 89, 60), S("Warn"), kDtCenter,
                                              true, true, false);
  apply->SetNormalImage(S("skins/button2_nr.png"));
  apply->SetHoverImage(S("skins/button2_ov.png"));
  AddControl(1, std::move(apply));

  auto link = std::make_unique<CLinkButton>(this, D(100, 40, 300, 58), S("https://pelrin.example/"), kDtCenter,
                                            true, true, false);
  link->SetFont(Scaled(18.0, s), S("Tahoma"));
  AddControl(1, std::move(link));

  auto header = std::make_unique<CCheckButton>(this, 3001, D(20, 70, 282, 95), S("Header"), kDtLeft, true, true,
                                               false);
  header->SetNormalImage(S("skins/header_nr.png"));
  header->SetHoverImage(S("skins/header_ov.png"));
  header->SetDownImage(S("skins/header_ov.png"));
  header->SetTextInset(Scaled(10.0, s), 0);
  header->SetCheck(true);
  AddControl(1, std::move(header));

  auto check = std::make_unique<CCheckButton>(this, 3501, D(300, 75, 315, 90), QString(), 0, true, true, false);
  check->SetNormalImage(S("skins/check_nr.png"));
  check->SetHoverImage(S("skins/check_ov.png"));
  check->SetDownImage(S("skins/check_dn.png"));
  AddControl(1, std::move(check));
  auto checkLabel = std::make_unique<CStaticText>(this, 3402, D(320, 73, 440, 91), kButtonStyle.normalText,
                                                  kDtSingleLine, QString(), true, true);
  checkLabel->SetDisplayText(S("Check box"));
  AddControl(1, std::move(checkLabel));

  const char* rates[] = {"125hz", "250hz", "500hz", "1000hz"};
  for (int k = 0; k < 4; ++k) {
    auto radio = std::make_unique<CRadioButton>(this, 3030 + static_cast<unsigned>(k),
                                                D(20 + 72 * k, 105, 92 + 72 * k, 177), QString(), true, true, false);
    radio->SetNormalImage(QStringLiteral("skins/%1_nr.png").arg(S(rates[k])));
    radio->SetHoverImage(QStringLiteral("skins/%1_nr.png").arg(S(rates[k])));
    radio->SetDownImage(QStringLiteral("skins/%1_dn.png").arg(S(rates[k])));
    AddControl(5, std::move(radio));
  }

  auto combo = std::make_unique<CComboButton>(this, kComboId, D(20, 190, 182, 211), kComboResultMessage,
                                              S("Disable"), QString(), kDtCenter, true, true, false);
  combo->SetNormalImage(S("skins/combo2_nr.png"));
  combo->SetHoverImage(S("skins/combo2_ov.png"));
  AddControl(1, std::move(combo));

  auto track = std::make_unique<CStaticImage>(this, 3191, D(20, 225, 165, 228), QString(), true, true);
  track->SetImage(S("skins/Slider_bar.png"));
  AddControl(3, std::move(track));
  auto slider = std::make_unique<CSliderControl>(this, 3200, D(20, 220, 165, 233), 4, Scaled(6.0, s),
                                                 Scaled(7.0, s), QString(), true, true, false);
  slider->SetKnobImage(S("skins/Slider_Circle.png"));
  slider->SetValue(2);
  AddControl(3, std::move(slider));
  auto sliderValue = std::make_unique<CStaticText>(this, 3210, D(175, 217, 215, 235), kButtonStyle.normalText,
                                                   kDtSingleLine, QString(), true, true);
  sliderValue->SetDisplayText(S("3"));
  sliderValue->SetFont(Scaled(16.0, s), S("Tahoma"));
  AddControl(3, std::move(sliderValue));

  auto battery = std::make_unique<CBattery>(this, D(20, 245, 50, 306), QString(), true, true);
  battery->SetImages(S("skins/battery_full.png"), S("skins/battery_empty.png"), S("skins/battery_charging.png"),
                     S("skins/battery_lighting.png"));
  battery->batteryLevel = 60;
  AddControl(1, std::move(battery));
  auto percent = std::make_unique<CStaticText>(this, 3405, D(55, 288, 95, 306), kButtonStyle.normalText,
                                               kDtSingleLine, QString(), true, true);
  percent->SetDisplayText(S("60%"));
  AddControl(1, std::move(percent));
  const char* dots[] = {"skins/battery_green.png", "skins/battery_orange.png", "skins/battery_red.png"};
  for (int k = 0; k < 3; ++k) {
    auto dot = std::make_unique<CStaticImage>(this, 3401, D(100, 250 + 20 * k, 108, 258 + 20 * k), QString(), true,
                                              true);
    dot->SetImage(S(dots[k]));
    AddControl(1, std::move(dot));
  }

  auto dial = std::make_unique<CPowerManageButton>(this, D(20, 315, 160, 399), QString(), true, true, false);
  dial->LoadImages();
  AddControl(1, std::move(dial));

  for (int k = 0; k < 2; ++k) {
    auto tab = std::make_unique<CTabControl>(this, kFirstTabId + static_cast<unsigned>(k),
                                             D(180, 245 + 25 * k, 342, 266 + 25 * k),
                                             QStringLiteral("Profile %1").arg(k + 1), kDtLeft, true, true, false);
    tab->SetNormalImage(S("skins/profile_slot_nr.png"));
    tab->SetHoverImage(S("skins/profile_slot_ov.png"));
    tab->SetSelectedImage(S("skins/profile_slot_nr2.png"));
    tab->SetSelectedHoverImage(S("skins/profile_slot_ov2.png"));
    AddControl(1, std::move(tab));
  }

  auto swatch = std::make_unique<CColorSelectCheckButton>(this, 3180, D(180, 300, 201, 320), QString(), true, true,
                                                          false);
  swatch->SetNormalImage(S("skins/color_select_nr.png"));
  swatch->SetHoverImage(S("skins/color_select_check.png"));
  swatch->selected = true;
  swatch->color = Rgb(255, 64, 0);
  AddControl(3, std::move(swatch));
  auto colourBar = std::make_unique<CColorSelectButton>(this, 3270, D(210, 304, 236, 316), D(210, 304, 236, 316),
                                                        QString(), true, true, false);
  AddControl(2, std::move(colourBar));

  auto direction = std::make_unique<CRadioButton>(this, 3240, D(250, 300, 279, 318), QString(), true, true, false);
  direction->SetNormalImage(S("skins/up_nr.png"));
  direction->SetHoverImage(S("skins/up_ov.png"));
  direction->SetDownImage(S("skins/up_check.png"));
  AddControl(3, std::move(direction));
  auto direction2 = std::make_unique<CRadioButton>(this, 3250, D(289, 300, 318, 318), QString(), true, true, false);
  direction2->SetNormalImage(S("skins/down_nr.png"));
  direction2->SetHoverImage(S("skins/down_ov.png"));
  direction2->SetDownImage(S("skins/down_check.png"));
  AddControl(3, std::move(direction2));

  // DPI: stage switches, value bars with their stage buttons, colour bars.
  for (int k = 0; k < 3; ++k) {
    const int x = 340 + 38 * k;
    auto stageSwitch = std::make_unique<CCheckButton>(this, 3260 + static_cast<unsigned>(k),
                                                      D(x + 7, 250, x + 18, 261), QString(), 0, true, true, false);
    stageSwitch->SetNormalImage(S("skins/check_button_dpi_nr.png"));
    stageSwitch->SetHoverImage(S("skins/check_button_dpi_ov.png"));
    stageSwitch->SetDownImage(S("skins/check_button_dpi_dn.png"));
    stageSwitch->SetCheck(k < 2);
    AddControl(2, std::move(stageSwitch));
    auto bar = std::make_unique<CColorSelectButton>(this, 3270 + static_cast<unsigned>(k), D(x, 264, x + 26, 276),
                                                    D(x, 264, x + 26, 276), QString(), true, true, false);
    bar->color = k == 0 ? Rgb(255, 0, 0) : (k == 1 ? Rgb(0, 255, 0) : Rgb(0, 0, 255));
    AddControl(2, std::move(bar));
    Rect valueRect = D(x + 9, 105, x + 16, 237);
    if (k == 2) {
      auto vertical = std::make_unique<CVerticalSliderControl>(this, 3282, valueRect, 40, 0, 0, QString(), true,
                                                               true, false);
      vertical->SetFillImage(S("skins/mouse/dpi_bar_2.png"));
      vertical->SetBackgroundImage(S("skins/mouse/dpi_bar_1.png"));
      vertical->SetValue(30);
      AddControl(2, std::move(vertical));
    } else {
      auto show = std::make_unique<CDPIValueShowControl>(this, 3300 + static_cast<unsigned>(k), valueRect, 40, 0, 0,
                                                         QString(), true, true, false);
      show->SetFillImage(S("skins/mouse/dpi_bar_2.png"));
      show->SetBackgroundImage(S("skins/mouse/dpi_bar_1.png"));
      show->SetValue(k == 0 ? 15 : 24);
      AddControl(2, std::move(show));
    }
    auto stage = std::make_unique<CDPIRadioButton>(this, 3290 + static_cast<unsigned>(k), D(x, 239, x + 26, 250),
                                                   QString(), true, true, false);
    stage->SetNormalImage(S("skins/dpi_value.png"));
    stage->SetHoverImage(S("skins/dpi_value.png"));
    stage->SetDownImage(S("skins/dpi_value.png"));
    stage->SetFont(Scaled(11.0, s), S("Tahoma"));
    stage->value = 16 * (k + 1);
    AddControl(2, std::move(stage));
  }

  auto list = std::make_unique<CEditShowList>(this, D(460, 40, 620, 200), QString(), true, true, false);
  list->SetFolderIcons(S("skins/foldr_open.png"), S("skins/foldr_close.png"));
  list->SetModel(tree_.get());
  list->selectedRow = 1;
  AddControl(1, std::move(list));
  auto scroll = std::make_unique<CVScrollBar>(this, 2016, D(622, 40, 634, 200), QString(), true, true, false);
  scroll->LoadArrows();
  scroll->SetScrollInfo(2, 8, 20);
  AddControl(1, std::move(scroll));
  auto actionList = std::make_unique<CImageShowList>(this, D(460, 210, 634, 330), QString(), true, true, false);
  actionList->SetIcons(S("skins/macro_down.png"), S("skins/macro_up.png"), S("skins/macro_time.png"));
  actionList->SetModel(actions_.get());
  actionList->selectedRow = 2;
  AddControl(1, std::move(actionList));
}

void CGalleryDlg::DrawDecorations(QPainter&) {}

CListPopup* CGalleryDlg::NewMenu() const {
  auto* menu = new CListPopup(kMenuKind, 117, QRect(30, 0, 116, 22));
  menu->SetItemImages(S("skins/menu_nr.png"), S("skins/menu_ov.png"), S("skins/menusub_nr.png"),
                      S("skins/menusub_ov.png"));
  menu->AddItem(S("Left Button"), 1);
  menu->AddItem(S("Right Button"), 2);
  menu->AddSeparator();
  menu->AddItem(S("Key Combination"), 3, false, true);
  menu->AddItem(S("Disable"), 4);
  return menu;
}

void CGalleryDlg::OpenMenu() {
  auto* combo = dynamic_cast<CComboButton*>(GetControl(kComboId));
  if (combo == nullptr) return;
  combo->holdHover = true;
  const Rect r = combo->rect;
  OpenPopup(0, NewMenu(), {r.right + 2, r.top, r.right + 2 + Scaled(118), r.top + Scaled(100)},
            kComboResultMessage + 1, kComboId);
}

QImage CGalleryDlg::RenderShowcase() {
  Prepare();
  QImage image = RenderToImage();
  // The menu as it looks open, with its second item under the pointer.
  std::unique_ptr<CListPopup> menu(NewMenu());
  menu->setAttribute(Qt::WA_DeleteOnClose, false);
  menu->resize(1, 1);
  menu->AddItem(QString(), 0, true);  // lays the list out; the trailing separator shows the end of the list
  menu->hoverIndex = 1;
  QPainter painter(&image);
  painter.drawImage(QPoint(Scaled(190), Scaled(330)), menu->RenderToImage());
  return image;
}

}  // namespace pelrin
