// The painters of every artwork kind: small vector drawings with QPainter, one function per kind.
#include "skins/generator/painters.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace pelrin::skins {

namespace {

// Lines of 1 px land on whole pixels when drawn through the centres of the outer pixels.
QRectF Inner(const QRectF& area, double inset) { return area.adjusted(inset, inset, -inset, -inset); }

QColor Mix(const QColor& from, const QColor& to, double amount) {
  auto blend = [amount](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * amount)); };
  return QColor(blend(from.red(), to.red()), blend(from.green(), to.green()), blend(from.blue(), to.blue()),
                blend(from.alpha(), to.alpha()));
}

QColor Alpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

QFont Face(int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// What a state suffix means for the painters: hovered and "on" (pressed, checked, selected).
struct Look {
  bool hover = false;
  bool on = false;
};

Look LookOf(const ArtworkEntry& entry) {
  const std::string state = entry.Param("state", "nr");
  if (state == "nr") return {false, false};
  if (state == "ov") return {true, false};
  if (state == "dn" || state == "check" || state == "nr2") return {false, true};
  if (state == "ov2") return {true, true};
  throw ArtworkError(entry.path + ": unknown state '" + state + "'");
}

// Context handed to each painter.
struct Canvas {
  const ArtworkEntry& entry;
  const Theme& theme;
  QPainter& p;
  double w;
  double h;
  QColor C(const char* name) const { return theme.Colour(name); }
};

void Chevron(QPainter& p, QPointF centre, double size, double angleDegrees, const QColor& colour, double width) {
  p.save();
  p.translate(centre);
  p.rotate(angleDegrees);  // 0 points down
  QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(-size, -size / 2);
  path.lineTo(0, size / 2);
  path.lineTo(size, -size / 2);
  p.drawPath(path);
  p.restore();
}

// A raised, rounded box: the shared body of push buttons, arrows and the like.
void RaisedBox(const Canvas& c, const QRectF& box, double radius, Look look) {
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  if (look.on) {
    const QColor accent = c.C("accent");
    fill.setColorAt(0, Mix(accent, c.C("text_bright"), look.hover ? 0.25 : 0.12));
    fill.setColorAt(1, Mix(accent, c.C("ground"), 0.25));
  } else {
    const QColor base = look.hover ? c.C("raised_hover") : c.C("raised");
    fill.setColorAt(0, Mix(base, c.C("text_bright"), 0.04));
    fill.setColorAt(1, Mix(base, c.C("ground"), 0.35));
  }
  QColor edge = look.on ? Mix(c.C("accent"), c.C("text_bright"), 0.2) : (look.hover ? c.C("accent") : c.C("edge"));
  c.p.setPen(QPen(edge, 1));
  c.p.setBrush(fill);
  c.p.drawRoundedRect(Inner(box, 0.5), radius, radius);
  // a faint top highlight gives the box its lift
  c.p.setPen(QPen(Alpha(c.C("text_bright"), look.on ? 60 : 18), 1));
  c.p.drawLine(QPointF(box.left() + radius, box.top() + 1.5), QPointF(box.right() - radius, box.top() + 1.5));
}

void PaintGlyphButton(const Canvas& c) {
  const Look look = LookOf(c.entry);
  const std::string glyph = c.entry.RequiredParam("glyph");
  QRectF box(0, 0, c.w, c.h);
  if (look.hover) {
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(c.C("accent"));
    c.p.drawRoundedRect(box, 3, 3);
  }
  QPen pen(look.hover ? c.C("text_bright") : c.C("text"), 1.6, Qt::SolidLine, Qt::RoundCap);
  c.p.setPen(pen);
  const double m = c.w * 0.3;
  if (glyph == "cross") {
    c.p.drawLine(QPointF(m, m), QPointF(c.w - m, c.h - m));
    c.p.drawLine(QPointF(c.w - m, m), QPointF(m, c.h - m));
  } else if (glyph == "minus") {
    c.p.drawLine(QPointF(m, c.h / 2), QPointF(c.w - m, c.h / 2));
  } else {
    throw ArtworkError(c.entry.path + ": unknown glyph '" + glyph + "'");
  }
}

void PaintMouseOutline(QPainter& p, const QRectF& area, const QColor& colour) {
  // a tiny top view of a mouse, for buttons that lead to mouse settings
  p.setPen(QPen(colour, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(area, area.width() / 2, area.width() / 2);
  p.drawLine(QPointF(area.center().x(), area.top()), QPointF(area.center().x(), area.top() + area.height() * 0.4));
  p.drawLine(QPointF(area.left(), area.top() + area.height() * 0.4), QPointF(area.right(), area.top() + area.height() * 0.4));
}

void PaintButton(const Canvas& c) {
  const Look look = LookOf(c.entry);
  const double radius = c.h >= 40 ? 5 : 3;
  RaisedBox(c, QRectF(0, 0, c.w, c.h), radius, look);
  const std::string glyph = c.entry.Param("glyph");
  const QColor ink = look.hover || look.on ? c.C("text_bright") : c.C("text");
  if (glyph == "plus") {
    c.p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF mid(c.w / 2, c.h / 2);
    c.p.drawLine(mid - QPointF(4.5, 0), mid + QPointF(4.5, 0));
    c.p.drawLine(mid - QPointF(0, 4.5), mid + QPointF(0, 4.5));
  } else if (glyph == "record") {
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(c.C("accent"));
    c.p.drawEllipse(QPointF(11, c.h / 2), 4, 4);
  } else if (glyph == "stop") {
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(c.C("text_bright"));
    c.p.drawRoundedRect(QRectF(7, c.h / 2 - 4, 8, 8), 1.5, 1.5);
  } else if (!glyph.empty()) {
    throw ArtworkError(c.entry.path + ": unknown glyph '" + glyph + "'");
  }
  if (c.entry.Param("icon") == "mouse") {
    PaintMouseOutline(c.p, QRectF(14, c.h / 2 - 11, 14, 22), c.C("accent"));
  }
}

void PaintCombo(const Canvas& c) {
  const Look look = LookOf(c.entry);
  QRectF box(0, 0, c.w, c.h);
  c.p.setPen(QPen(look.hover ? c.C("accent") : c.C("edge"), 1));
  c.p.setBrush(look.hover ? c.C("raised") : c.C("ground_lift"));
  c.p.drawRoundedRect(Inner(box, 0.5), 3, 3);
  // the drop-down button sits in a square at the right end
  const double split = c.w - c.h;
  c.p.setPen(QPen(look.hover ? Alpha(c.C("accent"), 140) : c.C("panel_edge"), 1));
  c.p.drawLine(QPointF(split + 0.5, 4), QPointF(split + 0.5, c.h - 4));
  Chevron(c.p, QPointF(split + c.h / 2, c.h / 2 + 0.5), 3.5, 0, look.hover ? c.C("accent") : c.C("text"), 1.6);
}

void HeaderBand(const Canvas& c, const QRectF& area, bool lit) {
  QLinearGradient fill(area.topLeft(), area.bottomLeft());
  const QColor base = lit ? c.C("raised_hover") : c.C("raised");
  fill.setColorAt(0, Mix(base, c.C("text_bright"), 0.05));
  fill.setColorAt(1, Mix(base, c.C("ground"), 0.3));
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(fill);
  c.p.drawRect(area);
  c.p.setBrush(lit ? c.C("accent") : Mix(c.C("accent"), c.C("ground"), 0.45));
  c.p.drawRect(QRectF(area.left(), area.top(), 3, area.height()));
  c.p.setPen(QPen(lit ? Alpha(c.C("accent"), 160) : c.C("panel_edge"), 1));
  c.p.drawLine(QPointF(area.left(), area.bottom() - 0.5), QPointF(area.right(), area.bottom() - 0.5));
  Chevron(c.p, QPointF(area.right() - 13, area.center().y() + 0.5), 3.5, 0, lit ? c.C("text_bright") : c.C("text_dim"),
          1.6);
}

void PaintHeader(const Canvas& c) { HeaderBand(c, QRectF(0, 0, c.w, c.h), LookOf(c.entry).hover); }

void PaintTab(const Canvas& c) {
  const Look look = LookOf(c.entry);
  QRectF box(0, 0, c.w, c.h);
  QColor fill = look.hover ? c.C("raised_hover") : c.C("panel");
  QColor edge = look.hover ? c.C("edge_hover") : c.C("panel_edge");
  if (look.on) {
    fill = Mix(c.C("panel"), c.C("accent"), look.hover ? 0.32 : 0.22);
    edge = Mix(c.C("panel"), c.C("accent"), 0.7);
  }
  c.p.setPen(QPen(edge, 1));
  c.p.setBrush(fill);
  c.p.drawRoundedRect(Inner(box, 0.5), 2, 2);
  if (look.on) {
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(c.C("accent"));
    c.p.drawRect(QRectF(1, 1, 3, c.h - 2));
  }
}

void PaintCheck(const Canvas& c) {
  const Look look = LookOf(c.entry);
  const double radius = c.w >= 13 ? 2.5 : 2;
  QRectF box = Inner(QRectF(0, 0, c.w, c.h), 0.5);
  if (look.on) {
    c.p.setPen(QPen(c.C("accent"), 1));
    c.p.setBrush(c.C("accent"));
  } else {
    c.p.setPen(QPen(look.hover ? c.C("accent") : c.C("edge_hover"), 1));
    c.p.setBrush(c.C("groove"));
  }
  c.p.drawRoundedRect(box, radius, radius);
  if (look.on) {
    const double s = c.w / 15.0;
    QPainterPath tick;
    tick.moveTo(3.6 * s, 7.6 * s);
    tick.lineTo(6.3 * s, 10.3 * s);
    tick.lineTo(11.4 * s, 4.6 * s);
    c.p.setPen(QPen(c.C("text_bright"), c.w >= 13 ? 1.8 : 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(tick);
  }
}

void PaintRadio(const Canvas& c) {
  const Look look = LookOf(c.entry);
  const QPointF centre(c.w / 2, c.h / 2);
  const double r = c.w / 2 - 0.7;
  c.p.setPen(QPen(look.on || look.hover ? c.C("accent") : c.C("edge_hover"), 1.2));
  c.p.setBrush(c.C("groove"));
  c.p.drawEllipse(centre, r, r);
  if (look.on) {
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(c.C("accent"));
    c.p.drawEllipse(centre, r * 0.5, r * 0.5);
  }
}

void PaintTrack(const Canvas& c) {
  // three rows: a dark lip, a faint accent line, a lighter base
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(c.C("groove"));
  c.p.drawRect(QRectF(0, 0, c.w, 1));
  c.p.setBrush(Mix(c.C("accent"), c.C("ground"), 0.45));
  c.p.drawRect(QRectF(0, 1, c.w, c.h - 2));
  c.p.setBrush(c.C("edge"));
  c.p.drawRect(QRectF(0, c.h - 1, c.w, 1));
}

void PaintKnob(const Canvas& c) {
  const QPointF centre(c.w / 2, c.h / 2);
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(c.C("accent"));
  c.p.drawEllipse(centre, c.w / 2 - 0.3, c.h / 2 - 0.3);
  QRadialGradient core(centre - QPointF(1, 1), c.w / 3);
  core.setColorAt(0, c.C("text_bright"));
  core.setColorAt(1, Mix(c.C("text_bright"), c.C("accent"), 0.25));
  c.p.setBrush(core);
  c.p.drawEllipse(centre, c.w / 4, c.h / 4);
}

// Battery geometry, shared by its four looks so that they overlay exactly.
constexpr double kBatteryBodyTop = 4;
constexpr double kBatteryFillTop = 7;     // the control reveals rows 7 to 56 from the bottom
constexpr double kBatteryFillHeight = 50;

void BatteryOutline(const Canvas& c) {
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(c.C("edge_hover"));
  c.p.drawRoundedRect(QRectF(c.w / 2 - 5, 0, 10, kBatteryBodyTop + 1), 1.5, 1.5);
  c.p.setPen(QPen(c.C("edge_hover"), 2));
  c.p.setBrush(c.C("groove"));
  c.p.drawRoundedRect(QRectF(3, kBatteryBodyTop + 1, c.w - 6, c.h - kBatteryBodyTop - 2), 3, 3);
}

QRectF BatteryFill(const Canvas& c) { return QRectF(6, kBatteryFillTop, c.w - 12, kBatteryFillHeight); }

void PaintBattery(const Canvas& c) {
  const std::string look = c.entry.RequiredParam("look");
  const QRectF fill = BatteryFill(c);
  if (look == "empty" || look == "full" || look == "charging") BatteryOutline(c);
  if (look == "full") {
    QLinearGradient g(fill.topLeft(), fill.topRight());
    g.setColorAt(0, Mix(c.C("accent"), c.C("ground"), 0.2));
    g.setColorAt(0.45, Mix(c.C("accent"), c.C("text_bright"), 0.2));
    g.setColorAt(1, Mix(c.C("accent"), c.C("ground"), 0.25));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(g);
    c.p.drawRoundedRect(fill, 1.5, 1.5);
  } else if (look == "charging") {
    c.p.save();
    c.p.setClipRect(fill);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(Mix(c.C("accent"), c.C("ground"), 0.35));
    c.p.drawRect(fill);
    c.p.setBrush(c.C("accent"));
    for (double y = fill.top() - fill.width(); y < fill.bottom(); y += 8) {
      QPolygonF stripe;
      stripe << QPointF(fill.left(), y + fill.width()) << QPointF(fill.right(), y) << QPointF(fill.right(), y + 4)
             << QPointF(fill.left(), y + fill.width() + 4);
      c.p.drawPolygon(stripe);
    }
    c.p.restore();
  } else if (look == "bolt") {
    const QPointF m(c.w / 2, kBatteryFillTop + kBatteryFillHeight / 2);
    QPolygonF bolt;
    bolt << m + QPointF(2.5, -15) << m + QPointF(-6.5, 2) << m + QPointF(-0.5, 2) << m + QPointF(-2.5, 15)
         << m + QPointF(6.5, -2) << m + QPointF(0.5, -2);
    c.p.setPen(QPen(c.C("groove"), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    c.p.setBrush(c.C("text_bright"));
    c.p.drawPolygon(bolt);
  } else if (look != "empty") {
    throw ArtworkError(c.entry.path + ": unknown battery look '" + look + "'");
  }
}

void PaintDot(const Canvas& c) {
  const QColor colour = c.theme.Colour(c.entry.RequiredParam("colour"));
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(colour);
  c.p.drawEllipse(QRectF(0.3, 0.3, c.w - 0.6, c.h - 0.6));
}

// The sleep dial: wedge k (k = 2 .. 9) of the control runs from arc point k to point k + 1 around
// the centre; these points are where the control tests its clicks, so the art follows them.
constexpr QPointF kDialCentre(70, 71);
constexpr std::array<QPointF, 9> kDialArc = {QPointF(3, 71),  QPointF(7, 51),    QPointF(17, 32),
                                             QPointF(40, 13), QPointF(70, 5),    QPointF(100, 14),
                                             QPointF(121, 31), QPointF(131, 51), QPointF(134, 71)};

double DialAngle(QPointF point) {
  // degrees counter-clockwise from the positive x axis, with y growing downwards on screen
  return std::atan2(kDialCentre.y() - point.y(), point.x() - kDialCentre.x()) * 180.0 / std::numbers::pi;
}

void PaintDial(const Canvas& c) {
  const int value = c.entry.IntParam("value", 0);
  if (value < 3 || value > 10) throw ArtworkError(c.entry.path + ": dial value must be 3 to 10");
  const double outer = 63;
  const double inner = 46;
  for (int segment = 0; segment < 8; ++segment) {  // segment 0 = 3 minutes
    double from = DialAngle(kDialArc[static_cast<std::size_t>(segment)]);
    double to = DialAngle(kDialArc[static_cast<std::size_t>(segment) + 1]);
    from -= 1.6;  // a thin gap between wedges
    to += 1.6;
    QPainterPath wedge;
    wedge.arcMoveTo(QRectF(kDialCentre.x() - outer, kDialCentre.y() - outer, 2 * outer, 2 * outer), from);
    wedge.arcTo(QRectF(kDialCentre.x() - outer, kDialCentre.y() - outer, 2 * outer, 2 * outer), from, to - from);
    wedge.arcTo(QRectF(kDialCentre.x() - inner, kDialCentre.y() - inner, 2 * inner, 2 * inner), to, from - to);
    wedge.closeSubpath();
    const int minutes = segment + 3;
    QColor fill;
    if (minutes < value) {
      fill = Mix(c.C("accent"), c.C("ground"), 0.45 - 0.05 * segment);
    } else if (minutes == value) {
      fill = Mix(c.C("accent"), c.C("text_bright"), 0.15);
    } else {
      fill = c.C("raised");
    }
    c.p.setPen(QPen(minutes == value ? c.C("text_bright") : (minutes < value ? Alpha(c.C("accent"), 120) : c.C("edge")), 1));
    c.p.setBrush(fill);
    c.p.drawPath(wedge);
  }
  c.p.setPen(c.C("text_bright"));
  c.p.setFont(Face(22, true));
  c.p.drawText(QRectF(kDialCentre.x() - 30, 34, 60, 26), Qt::AlignHCenter | Qt::AlignBottom, QString::number(value));
  c.p.setPen(c.C("text_dim"));
  c.p.setFont(Face(9, true));
  c.p.drawText(QRectF(kDialCentre.x() - 30, 60, 60, 12), Qt::AlignCenter, QStringLiteral("MIN"));
  c.p.drawText(QRectF(0, 73, 26, 11), Qt::AlignCenter, QStringLiteral("3"));
  c.p.drawText(QRectF(c.w - 28, 73, 28, 11), Qt::AlignCenter, QStringLiteral("10"));
}

void PaintQuadrant(const Canvas& c) {
  const Look look = LookOf(c.entry);
  const std::string where = c.entry.RequiredParam("centre");
  QPointF centre;
  double startAngle = 0;  // the quarter of the ring this tile holds, counter-clockwise from +x
  if (where == "br") {
    centre = QPointF(c.w, c.h);
    startAngle = 90;
  } else if (where == "bl") {
    centre = QPointF(0, c.h);
    startAngle = 0;
  } else if (where == "tr") {
    centre = QPointF(c.w, 0);
    startAngle = 180;
  } else if (where == "tl") {
    centre = QPointF(0, 0);
    startAngle = 270;
  } else {
    throw ArtworkError(c.entry.path + ": centre must be br, bl, tr or tl");
  }
  const double outer = c.w - 2;
  const double inner = c.w * 0.36;
  QPainterPath ring;
  ring.arcMoveTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), startAngle);
  ring.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), startAngle, 90);
  ring.arcTo(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner), startAngle + 90, -90);
  ring.closeSubpath();
  // keep a gap to the neighbouring tiles along the two edges that meet at the centre
  QRectF keep(0, 0, c.w, c.h);
  keep.adjust(where[1] == 'l' ? 1.5 : 0, where[0] == 't' ? 1.5 : 0, where[1] == 'r' ? -1.5 : 0, where[0] == 'b' ? -1.5 : 0);
  QPainterPath clip;
  clip.addRect(keep);
  ring = ring.intersected(clip);

  const QPointF outward(where[1] == 'r' ? -1 : 1, where[0] == 'b' ? -1 : 1);
  if (look.on) {
    QRadialGradient glow(centre, outer);
    glow.setColorAt(0.3, Mix(c.C("accent"), c.C("ground"), 0.35));
    glow.setColorAt(1, Mix(c.C("accent"), c.C("text_bright"), 0.1));
    c.p.setBrush(glow);
    c.p.setPen(QPen(Mix(c.C("accent"), c.C("text_bright"), 0.35), 1));
  } else {
    QRadialGradient glow(centre, outer);
    glow.setColorAt(0.3, c.C("ground_lift"));
    glow.setColorAt(1, c.C("raised"));
    c.p.setBrush(glow);
    c.p.setPen(QPen(c.C("edge"), 1));
  }
  c.p.drawPath(ring);

  const QString number = QString::fromStdString(c.entry.RequiredParam("text"));
  const double along = (outer + inner) / 2 / std::numbers::sqrt2;
  const QPointF label = centre + QPointF(outward.x() * along, outward.y() * along);
  c.p.setPen(look.on ? c.C("text_bright") : c.C("text"));
  c.p.setFont(Face(number.size() > 3 ? 12 : 13, true));
  c.p.drawText(QRectF(label.x() - 24, label.y() - 10, 48, 14), Qt::AlignCenter, number);
  c.p.setPen(look.on ? c.C("text_bright") : c.C("text_dim"));
  c.p.setFont(Face(9, false));
  c.p.drawText(QRectF(label.x() - 24, label.y() + 3, 48, 11), Qt::AlignCenter, QStringLiteral("Hz"));
}

// Behind a DPI stage value. All three looks share it and the text colour carries the state, so it
// stays quiet: a short rule under the number, nothing a 4- or 5-digit value would overflow.
void PaintPill(const Canvas& c) {
  QLinearGradient rule(0, 0, c.w, 0);
  rule.setColorAt(0, Alpha(c.C("edge"), 0));
  rule.setColorAt(0.5, c.C("edge_hover"));
  rule.setColorAt(1, Alpha(c.C("edge"), 0));
  c.p.fillRect(QRectF(0, c.h - 1, c.w, 1), rule);
}

void PaintLevel(const Canvas& c) {
  const std::string look = c.entry.RequiredParam("look");
  QRectF bar(0, 0, c.w, c.h);
  if (look == "track") {
    c.p.setPen(QPen(c.C("panel_edge"), 1));
    c.p.setBrush(c.C("groove"));
    c.p.drawRoundedRect(Inner(bar, 0.5), 3, 3);
  } else if (look == "fill") {
    QLinearGradient g(0, 0, 0, c.h);
    g.setColorAt(0, Mix(c.C("accent"), c.C("text_bright"), 0.35));
    g.setColorAt(0.5, c.C("accent"));
    g.setColorAt(1, Mix(c.C("accent"), c.C("ground"), 0.4));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(g);
    c.p.drawRoundedRect(bar, 3, 3);
    c.p.setBrush(Alpha(c.C("text_bright"), 50));
    c.p.drawRect(QRectF(1, 2, 1, c.h - 4));
  } else {
    throw ArtworkError(c.entry.path + ": unknown level look '" + look + "'");
  }
}

void PaintSwatch(const Canvas& c) {
  const Look look = LookOf(c.entry);
  QRectF box(0, 0, c.w, c.h);
  if (look.on) {
    c.p.setPen(QPen(c.C("accent"), 2));
    c.p.setBrush(c.C("groove"));
    c.p.drawRoundedRect(Inner(box, 1), 2.5, 2.5);
    c.p.setPen(QPen(c.C("text_bright"), 1));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawRect(Inner(box, 2.5));
  } else {
    c.p.setPen(QPen(c.C("edge"), 1));
    c.p.setBrush(c.C("groove"));
    c.p.drawRoundedRect(Inner(box, 0.5), 2.5, 2.5);
  }
}

void PaintArrow(const Canvas& c) {
  const Look look = LookOf(c.entry);
  RaisedBox(c, QRectF(0, 0, c.w, c.h), 3, look);
  const std::string glyph = c.entry.RequiredParam("glyph");
  double angle = 0;
  if (glyph == "up") {
    angle = 180;
  } else if (glyph != "down") {
    throw ArtworkError(c.entry.path + ": arrow glyph must be up or down");
  }
  Chevron(c.p, QPointF(c.w / 2, c.h / 2), 4.5, angle, look.hover || look.on ? c.C("text_bright") : c.C("text"), 1.8);
}

void PaintMenuRow(const Canvas& c) {
  const Look look = LookOf(c.entry);
  c.p.setPen(Qt::NoPen);
  if (look.hover) {
    QLinearGradient g(0, 0, 0, c.h);
    g.setColorAt(0, Mix(c.C("accent"), c.C("ground"), 0.25));
    g.setColorAt(1, Mix(c.C("accent"), c.C("ground"), 0.42));
    c.p.setBrush(g);
  } else {
    c.p.setBrush(c.C("panel"));
  }
  c.p.drawRect(QRectF(0, 0, c.w, c.h));
  c.p.setBrush(look.hover ? Mix(c.C("accent"), c.C("text_bright"), 0.3) : c.C("panel_edge"));
  c.p.drawRect(QRectF(0, c.h - 1, c.w, 1));
  if (c.entry.IntParam("sub", 0) != 0) {
    Chevron(c.p, QPointF(c.w - 11, c.h / 2), 3.5, -90, look.hover ? c.C("text_bright") : c.C("text"), 1.6);
  }
}

void PaintFolder(const Canvas& c) {
  const std::string look = c.entry.RequiredParam("look");
  const bool open = look == "open";
  if (!open && look != "closed") throw ArtworkError(c.entry.path + ": folder look must be open or closed");
  c.p.setPen(QPen(open ? c.C("accent") : c.C("text"), 1));
  c.p.setBrush(open ? Mix(c.C("accent"), c.C("ground"), 0.55) : c.C("raised_hover"));
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6, 3.5);
  back.lineTo(7.5, 5);
  back.lineTo(14.5, 5);
  back.lineTo(14.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  c.p.drawPath(back);
  if (open) {
    QPolygonF flap;
    flap << QPointF(1.5, 13.5) << QPointF(4, 7.5) << QPointF(15.5, 7.5) << QPointF(13, 13.5);
    c.p.setBrush(Mix(c.C("accent"), c.C("ground"), 0.2));
    c.p.drawPolygon(flap);
  }
}

void PaintActionIcon(const Canvas& c) {
  const std::string glyph = c.entry.RequiredParam("glyph");
  const QPointF mid(c.w / 2, c.h / 2);
  if (glyph == "clock") {
    c.p.setPen(QPen(c.C("text"), 1.2));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawEllipse(mid, c.w / 2 - 1, c.h / 2 - 1);
    c.p.setPen(QPen(c.C("text"), 1.2, Qt::SolidLine, Qt::RoundCap));
    c.p.drawLine(mid, mid + QPointF(0, -4));
    c.p.drawLine(mid, mid + QPointF(3, 1.5));
    return;
  }
  const bool press = glyph == "press";
  if (!press && glyph != "release") throw ArtworkError(c.entry.path + ": unknown action glyph '" + glyph + "'");
  // a key going down is a solid arrow down; a key coming up is an outlined arrow up
  QPolygonF arrow;
  arrow << QPointF(-2.5, -6) << QPointF(2.5, -6) << QPointF(2.5, 0) << QPointF(6, 0) << QPointF(0, 6) << QPointF(-6, 0)
        << QPointF(-2.5, 0);
  c.p.translate(mid);
  if (!press) c.p.rotate(180);
  c.p.setPen(QPen(press ? c.C("accent") : c.C("text"), 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  c.p.setBrush(press ? c.C("accent") : Qt::NoBrush);
  c.p.drawPolygon(arrow);
}

void PaintBadge(const Canvas& c) {
  const bool filled = c.entry.IntParam("filled", 0) != 0;
  QRectF box = Inner(QRectF(0, 0, c.w, c.h), 0.5);
  c.p.setPen(QPen(filled ? c.C("accent") : Mix(c.C("accent"), c.C("ground"), 0.35), 1));
  c.p.setBrush(filled ? c.C("accent") : c.C("ground_lift"));
  c.p.drawRoundedRect(box, 4, 4);
  c.p.setPen(filled ? c.C("ground") : c.C("text_bright"));
  c.p.setFont(Face(12, true));
  c.p.drawText(QRectF(0, 0, c.w, c.h), Qt::AlignCenter, QString::fromStdString(c.entry.RequiredParam("text")));
}

// The mouse seen from above, 215 x 398, with the six programmable buttons numbered as in the
// assignment list beside it (1 left, 2 right, 3 wheel, 4 forward, 5 back, 6 DPI).
void PaintMouse(const Canvas& c) {
  const double cx = c.w / 2;
  QPainterPath shell;
  shell.moveTo(cx, 10);
  shell.cubicTo(cx + 60, 10, cx + 78, 60, cx + 80, 140);
  shell.cubicTo(cx + 82, 220, cx + 96, 290, cx + 88, 340);
  shell.cubicTo(cx + 80, 380, cx + 40, 390, cx, 390);
  shell.cubicTo(cx - 40, 390, cx - 80, 380, cx - 88, 340);
  shell.cubicTo(cx - 96, 290, cx - 82, 220, cx - 80, 140);
  shell.cubicTo(cx - 78, 60, cx - 60, 10, cx, 10);

  // soft accent glow under the shell
  QRadialGradient halo(QPointF(cx, 230), 150);
  halo.setColorAt(0, Alpha(c.C("accent"), 70));
  halo.setColorAt(1, Alpha(c.C("accent"), 0));
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(halo);
  c.p.drawPath(shell.translated(0, 2));

  QLinearGradient body(0, 10, c.w, 390);
  body.setColorAt(0, Mix(c.C("raised_hover"), c.C("text_bright"), 0.06));
  body.setColorAt(0.6, c.C("raised"));
  body.setColorAt(1, c.C("ground_lift"));
  c.p.setPen(QPen(c.C("edge_hover"), 1.5));
  c.p.setBrush(body);
  c.p.drawPath(shell);

  // the two main buttons end in a curve across the shell
  c.p.setPen(QPen(c.C("groove"), 2));
  c.p.setBrush(Qt::NoBrush);
  QPainterPath buttonsEdge;
  buttonsEdge.moveTo(cx - 79, 168);
  buttonsEdge.cubicTo(cx - 40, 150, cx + 40, 150, cx + 79, 168);
  c.p.drawPath(buttonsEdge);
  c.p.drawLine(QPointF(cx, 12), QPointF(cx, 46));
  c.p.drawLine(QPointF(cx, 132), QPointF(cx, 156));

  // wheel with ribs, and the DPI button behind it
  QRectF wheel(cx - 9, 50, 18, 52);
  c.p.setPen(QPen(c.C("accent"), 1.2));
  c.p.setBrush(c.C("groove"));
  c.p.drawRoundedRect(wheel, 7, 7);
  c.p.setPen(QPen(c.C("edge_hover"), 1));
  for (double y = wheel.top() + 6; y < wheel.bottom() - 4; y += 5) {
    c.p.drawLine(QPointF(wheel.left() + 4, y), QPointF(wheel.right() - 4, y));
  }
  c.p.setPen(QPen(c.C("edge_hover"), 1));
  c.p.setBrush(c.C("raised_hover"));
  c.p.drawRoundedRect(QRectF(cx - 7, 110, 14, 18), 4, 4);

  // side buttons on the left flank
  c.p.setPen(QPen(c.C("edge_hover"), 1));
  c.p.setBrush(c.C("raised_hover"));
  c.p.drawRoundedRect(QRectF(cx - 86, 190, 12, 34), 5, 5);
  c.p.drawRoundedRect(QRectF(cx - 87, 230, 12, 34), 5, 5);

  // the accent light: a chevron mark and a strip down the back
  QPainterPath mark;
  mark.moveTo(cx - 24, 286);
  mark.lineTo(cx, 306);
  mark.lineTo(cx + 24, 286);
  for (int pass = 0; pass < 2; ++pass) {
    c.p.setPen(QPen(pass == 0 ? Alpha(c.C("accent"), 70) : c.C("accent"), pass == 0 ? 7 : 2.5, Qt::SolidLine,
                    Qt::RoundCap, Qt::RoundJoin));
    c.p.drawPath(mark);
    c.p.drawLine(QPointF(cx, 330), QPointF(cx, 372));
  }

  struct Callout {
    QPointF at;
    int number;
  };
  const std::array<Callout, 6> callouts = {Callout{{cx - 44, 90}, 1}, Callout{{cx + 44, 90}, 2}, Callout{{cx, 30}, 3},
                                           Callout{{cx - 58, 207}, 4}, Callout{{cx - 58, 247}, 5},
                                           Callout{{cx, 145}, 6}};
  c.p.setFont(Face(11, true));
  for (const Callout& callout : callouts) {
    c.p.setPen(QPen(c.C("accent"), 1.2));
    c.p.setBrush(c.C("ground"));
    c.p.drawEllipse(callout.at, 8, 8);
    c.p.setPen(c.C("text_bright"));
    c.p.drawText(QRectF(callout.at.x() - 8, callout.at.y() - 8, 16, 16), Qt::AlignCenter, QString::number(callout.number));
  }
}

// Window frames ---------------------------------------------------------------------------

void FrameBase(const Canvas& c, double titleHeight) {
  c.p.fillRect(QRectF(0, 0, c.w, c.h), c.C("ground"));
  QLinearGradient title(0, 0, 0, titleHeight);
  title.setColorAt(0, c.C("raised"));
  title.setColorAt(1, c.C("ground_lift"));
  c.p.fillRect(QRectF(0, 0, c.w, titleHeight), title);
  QLinearGradient line(0, 0, c.w, 0);
  line.setColorAt(0, c.C("accent"));
  line.setColorAt(0.6, Alpha(c.C("accent"), 90));
  line.setColorAt(1, Alpha(c.C("accent"), 0));
  c.p.fillRect(QRectF(0, titleHeight, c.w, 1), line);
  c.p.setPen(QPen(c.C("panel_edge"), 1));
  c.p.setBrush(Qt::NoBrush);
  c.p.drawRect(Inner(QRectF(0, 0, c.w, c.h), 0.5));
}

void Well(const Canvas& c, const QRectF& area) {
  c.p.setPen(QPen(c.C("panel_edge"), 1));
  c.p.setBrush(c.C("panel"));
  c.p.drawRoundedRect(Inner(area, 0.5), 3, 3);
}

// Dialog frames. Titles are drawn by the dialogs into the top band (their close button sits at
// (w-24, 4) 15 x 15); push buttons sit in the bottom band.
void PaintFrame(const Canvas& c) {
  const std::string look = c.entry.RequiredParam("look");
  const double title = c.entry.IntParam("title", 30);
  const double band = c.entry.IntParam("band", 0);
  FrameBase(c, title);
  if (band > 0) {
    c.p.fillRect(QRectF(1, c.h - band - 1, c.w - 2, 1), c.C("panel_edge"));
    c.p.fillRect(QRectF(1, c.h - band, c.w - 2, band - 1), c.C("ground_lift"));
  }
  if (look == "dialog") {
    return;
  }
  if (look == "progress" || look == "progress_bar") {
    // the dialog copies the bar from rows 66 to 77 of the filled frame, over the whole width
    c.p.fillRect(QRectF(0, 65, c.w, 1), c.C("groove"));
    c.p.fillRect(QRectF(0, 66, c.w, 12), c.C("groove"));
    c.p.fillRect(QRectF(0, 78, c.w, 1), c.C("panel_edge"));
    if (look == "progress_bar") {
      QLinearGradient bar(0, 66, 0, 78);
      bar.setColorAt(0, Mix(c.C("accent"), c.C("text_bright"), 0.3));
      bar.setColorAt(0.5, c.C("accent"));
      bar.setColorAt(1, Mix(c.C("accent"), c.C("ground"), 0.35));
      c.p.fillRect(QRectF(0, 66, c.w, 12), bar);
    }
    return;
  }
  if (look == "macros") {
    Well(c, QRectF(12, 56, 242, 274));   // macro tree (16,60)-(234,326) and its scroll bar
    Well(c, QRectF(266, 56, 250, 144));  // actions (270,60)-(496,196) and their scroll bar
    return;
  }
  throw ArtworkError(c.entry.path + ": unknown frame look '" + look + "'");
}

// The panel tile: the window stretches it into every panel, from 230 x 43 to 262 x 205, so it is
// a plain gradient with a border at least 2 px wide (a 1 px edge could vanish when shrunk).
void PaintPanel(const Canvas& c) {
  QLinearGradient g(0, 0, 0, c.h);
  g.setColorAt(0, c.C("panel"));
  g.setColorAt(1, Mix(c.C("panel"), c.C("ground"), 0.5));
  c.p.fillRect(QRectF(0, 0, c.w, c.h), g);
  c.p.setPen(QPen(c.C("panel_edge"), 2));
  c.p.setBrush(Qt::NoBrush);
  c.p.drawRect(Inner(QRectF(0, 0, c.w, c.h), 1));
}

void PaintMainFrame(const Canvas& c) {
  c.p.fillRect(QRectF(0, 0, c.w, c.h), c.C("ground"));
  // title strip with the product name; the window buttons sit at its right end
  QLinearGradient title(0, 0, 0, 32);
  title.setColorAt(0, c.C("raised"));
  title.setColorAt(1, c.C("ground"));
  c.p.fillRect(QRectF(0, 0, c.w, 32), title);
  c.p.setFont(Face(13, true));
  c.p.setPen(c.C("accent"));
  QRectF word(36, 9, 300, 18);
  c.p.drawText(word, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZORVEL"));
  const double after = QFontMetricsF(Face(13, true)).horizontalAdvance(QStringLiteral("ZORVEL "));
  c.p.setPen(c.C("text"));
  c.p.setFont(Face(13, false));
  c.p.drawText(word.adjusted(after, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("GAMING QX7 WL"));

  // column grounds: left (36..266), centre stage, right (846..1108)
  c.p.fillRect(QRectF(20, 32, 262, 660), c.C("ground_lift"));
  c.p.fillRect(QRectF(830, 32, 294, 660), c.C("ground_lift"));
  c.p.fillRect(QRectF(282, 32, 1, 660), c.C("panel_edge"));
  c.p.fillRect(QRectF(829, 32, 1, 660), c.C("panel_edge"));

  // centre stage: rings and a glow behind the mouse picture (457..672, 171..569)
  const QPointF stage(564.5, 380);
  QRadialGradient glow(stage, 300);
  glow.setColorAt(0, Alpha(c.C("accent"), 55));
  glow.setColorAt(0.55, Alpha(c.C("accent"), 12));
  glow.setColorAt(1, Alpha(c.C("accent"), 0));
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(glow);
  c.p.drawRect(QRectF(283, 32, 546, 660));
  c.p.setBrush(Qt::NoBrush);
  for (int ring = 0; ring < 3; ++ring) {
    const double r = 215 + ring * 22;
    c.p.setPen(QPen(Alpha(c.C("accent"), 60 - ring * 18), 1));
    c.p.drawEllipse(stage, r, r);
  }
  // a dotted grid fading out from the stage
  for (double y = 52; y < 680; y += 24) {
    for (double x = 302; x < 820; x += 24) {
      const double d = std::hypot(x - stage.x(), y - stage.y());
      const int alpha = static_cast<int>(std::max(0.0, 40.0 - d / 9.0));
      if (alpha <= 0) continue;
      c.p.fillRect(QRectF(x, y, 1, 1), Alpha(c.C("text"), alpha));
    }
  }
  // bottom bar behind the profile, version and reset row (700..720)
  c.p.fillRect(QRectF(0, 692, c.w, 1), c.C("panel_edge"));
  c.p.fillRect(QRectF(0, 693, c.w, c.h - 693), c.C("ground_lift"));
  // Headers that never move: a checked (expanded) header draws no image of its own, so the band
  // under it is part of the frame, lit like an open section.
  for (const QRectF& header : {QRectF(36, 37, 230, 25), QRectF(36, 398, 230, 25), QRectF(36, 525, 230, 25),
                               QRectF(846, 37, 262, 25)}) {
    HeaderBand(c, header, true);
  }
  // accent rule under the title strip
  QLinearGradient rule(0, 0, c.w, 0);
  rule.setColorAt(0, Alpha(c.C("accent"), 0));
  rule.setColorAt(0.15, c.C("accent"));
  rule.setColorAt(0.85, c.C("accent"));
  rule.setColorAt(1, Alpha(c.C("accent"), 0));
  c.p.fillRect(QRectF(0, 32, c.w, 1), rule);
  c.p.setPen(QPen(c.C("panel_edge"), 1));
  c.p.setBrush(Qt::NoBrush);
  c.p.drawRect(Inner(QRectF(0, 0, c.w, c.h), 0.5));
}

// Colour palette dialog picture. Its two picking areas are fixed by the dialog: a hue field at
// (18, 26)-(222, 270) and a swatch grid at (244, 26)-(473, 190). Everything that must not be
// picked is the dialog ground colour, which the dialog ignores.
void PaintPalette(const Canvas& c) {
  FrameBase(c, 20);
  const QRect field(18, 26, 204, 244);
  QImage hue(field.size(), QImage::Format_RGB32);
  for (int y = 0; y < field.height(); ++y) {
    // top half runs from white to the full colour, bottom half from the full colour to black
    const double v = static_cast<double>(y) / (field.height() - 1);
    for (int x = 0; x < field.width(); ++x) {
      const double h = static_cast<double>(x) / field.width();
      QColor pure = QColor::fromHsvF(static_cast<float>(h), 1.0F, 1.0F);
      QColor colour = v < 0.5 ? Mix(QColor(255, 255, 255), pure, v * 2) : Mix(pure, QColor(0, 0, 0), (v - 0.5) * 2);
      if (colour == c.C("ground")) colour = colour.lighter(110);
      hue.setPixel(x, y, colour.rgb());
    }
  }
  c.p.drawImage(field.topLeft(), hue);

  // swatches: 8 columns x 6 rows of 26 x 25 cells with 3 px gaps of ground between them
  const QRect grid(244, 26, 229, 164);
  const std::array<int, 8> hues = {0, 30, 55, 120, 175, 200, 240, 290};
  for (int row = 0; row < 6; ++row) {
    for (int col = 0; col < 8; ++col) {
      QColor colour;
      if (row == 5) {
        const int grey = 255 - col * 255 / 7;
        colour = QColor(grey, grey, grey);
      } else {
        const double sat = row < 3 ? 1.0 : 0.45;
        const double val = std::array<double, 5>{1.0, 0.8, 0.55, 1.0, 0.7}[static_cast<std::size_t>(row)];
        colour = QColor::fromHsvF(static_cast<float>(hues[static_cast<std::size_t>(col)] / 360.0), static_cast<float>(sat),
                                  static_cast<float>(val));
      }
      if (colour == c.C("ground")) colour = colour.lighter(110);
      const int x0 = grid.left() + col * 29;
      const int y0 = grid.top() + row * 28;
      const int cw = col == 7 ? grid.right() + 1 - x0 : 26;
      const int ch = row == 5 ? grid.bottom() + 1 - y0 : 25;
      c.p.fillRect(QRect(x0, y0, cw, ch), colour);
    }
  }
  // well for the current colour and the value labels, below the swatches
  Well(c, QRectF(244, 204, 229, 50));
}

// The program icon. It is shown down to 16 px in the tray, so it is a bold shape: an accent tile
// with a white mouse whose strokes stay at least a pixel wide when scaled down.
void PaintAppIcon(const Canvas& c) {
  const QRectF box(c.w * 0.04, c.h * 0.04, c.w * 0.92, c.h * 0.92);
  QLinearGradient g(box.topLeft(), box.bottomRight());
  g.setColorAt(0, Mix(c.C("accent"), c.C("text_bright"), 0.15));
  g.setColorAt(1, Mix(c.C("accent"), c.C("ground"), 0.45));
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(g);
  c.p.drawRoundedRect(box, c.w * 0.22, c.w * 0.22);
  const QRectF mouse(c.w * 0.29, c.h * 0.14, c.w * 0.42, c.h * 0.72);
  const double stroke = c.w / 13;
  c.p.setPen(QPen(c.C("text_bright"), stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  c.p.setBrush(Alpha(c.C("ground"), 90));
  c.p.drawRoundedRect(mouse, mouse.width() / 2, mouse.width() / 2);
  const double split = mouse.top() + mouse.height() * 0.42;
  c.p.drawLine(QPointF(mouse.left(), split), QPointF(mouse.right(), split));
  c.p.drawLine(QPointF(c.w / 2, mouse.top()), QPointF(c.w / 2, split));
}

// A scroll-bar arrow strip: three square frames side by side (normal, hover, pressed).
void PaintStrip(const Canvas& c) {
  const std::string glyph = c.entry.RequiredParam("glyph");
  if (glyph != "up" && glyph != "down") throw ArtworkError(c.entry.path + ": strip glyph must be up or down");
  if (c.entry.width % 3 != 0) throw ArtworkError(c.entry.path + ": a strip's width must hold three frames");
  const double frame = c.w / 3;
  for (int state = 0; state < 3; ++state) {
    const QRectF box(state * frame, 0, frame, c.h);
    QColor fill = state == 0 ? c.C("raised") : (state == 1 ? c.C("raised_hover") : c.C("accent"));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(fill);
    c.p.drawRect(box);
    Chevron(c.p, box.center(), 3.5, glyph == "up" ? 180 : 0, state == 0 ? c.C("text") : c.C("text_bright"), 1.6);
  }
}

using Painter = std::function<void(const Canvas&)>;

const std::map<std::string, Painter>& Painters() {
  static const std::map<std::string, Painter> painters = {
      {"glyph", PaintGlyphButton}, {"button", PaintButton},     {"combo", PaintCombo},     {"header", PaintHeader},
      {"tab", PaintTab},           {"check", PaintCheck},       {"radio", PaintRadio},     {"track", PaintTrack},
      {"knob", PaintKnob},         {"battery", PaintBattery},   {"dot", PaintDot},         {"dial", PaintDial},
      {"quadrant", PaintQuadrant}, {"pill", PaintPill},         {"level", PaintLevel},     {"swatch", PaintSwatch},
      {"arrow", PaintArrow},       {"menu", PaintMenuRow},      {"folder", PaintFolder},   {"action", PaintActionIcon},
      {"badge", PaintBadge},       {"mouse", PaintMouse},       {"frame", PaintFrame},     {"panel", PaintPanel},
      {"mainframe", PaintMainFrame}, {"palette", PaintPalette}, {"appicon", PaintAppIcon}, {"strip", PaintStrip},
  };
  return painters;
}

}  // namespace

QImage PaintEntry(const ArtworkEntry& entry, const Theme& theme) {
  auto painter = Painters().find(entry.kind);
  if (painter == Painters().end()) throw ArtworkError(entry.path + ": unknown kind '" + entry.kind + "'");
  QImage image(entry.width, entry.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Canvas canvas{entry, theme, p, static_cast<double>(entry.width), static_cast<double>(entry.height)};
    painter->second(canvas);
  }
  const bool bitmap = entry.path.size() > 4 && entry.path.compare(entry.path.size() - 4, 4, ".bmp") == 0;
  if (bitmap) {
    // frames are opaque: whatever a painter left transparent shows the ground colour
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(theme.Colour("ground"));
    QPainter p(&opaque);
    p.drawImage(0, 0, image);
    p.end();
    return opaque;
  }
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace pelrin::skins
