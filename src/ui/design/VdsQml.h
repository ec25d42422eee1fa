#pragma once

#include "ui/design/VDS.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace velk::design {

// QML faces of the design tokens: `VDS.Space.m`, `VDS.Radius.s`,
// `VDS.C.text1`, `VDS.caption(Font.Medium)`, ... Numbers are constants; the
// colours notify whenever the palette snapshot changes, so bindings follow a
// theme switch. An engine colour role resolves reactively as `VDS.C[role]`;
// a colour at a lower opacity is `VDS.withOpacity(colour, 0.35)`.

class VdsPhi : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(double value MEMBER value CONSTANT)
    Q_PROPERTY(double major MEMBER major CONSTANT)
    Q_PROPERTY(double minor MEMBER minor CONSTANT)
public:
    using QObject::QObject;
    double value = VDS::Phi::value;
    double major = VDS::Phi::major;
    double minor = VDS::Phi::minor;
};

class VdsSpace : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(double xxs MEMBER xxs CONSTANT)
    Q_PROPERTY(double xs MEMBER xs CONSTANT)
    Q_PROPERTY(double s MEMBER s CONSTANT)
    Q_PROPERTY(double ms MEMBER ms CONSTANT)
    Q_PROPERTY(double m MEMBER m CONSTANT)
    Q_PROPERTY(double l MEMBER l CONSTANT)
    Q_PROPERTY(double xl MEMBER xl CONSTANT)
    Q_PROPERTY(double xxl MEMBER xxl CONSTANT)
    Q_PROPERTY(double xxxl MEMBER xxxl CONSTANT)
public:
    using QObject::QObject;
    double xxs = VDS::Space::xxs;
    double xs = VDS::Space::xs;
    double s = VDS::Space::s;
    double ms = VDS::Space::ms;
    double m = VDS::Space::m;
    double l = VDS::Space::l;
    double xl = VDS::Space::xl;
    double xxl = VDS::Space::xxl;
    double xxxl = VDS::Space::xxxl;
};

class VdsRadius : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(double xs MEMBER xs CONSTANT)
    Q_PROPERTY(double s MEMBER s CONSTANT)
    Q_PROPERTY(double m MEMBER m CONSTANT)
    Q_PROPERTY(double l MEMBER l CONSTANT)
public:
    using QObject::QObject;
    double xs = VDS::Radius::xs;
    double s = VDS::Radius::s;
    double m = VDS::Radius::m;
    double l = VDS::Radius::l;
};

class VdsTypeScale : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(double caption MEMBER caption CONSTANT)
    Q_PROPERTY(double body MEMBER body CONSTANT)
    Q_PROPERTY(double title MEMBER title CONSTANT)
    Q_PROPERTY(double display MEMBER display CONSTANT)
    Q_PROPERTY(double hero MEMBER hero CONSTANT)
public:
    using QObject::QObject;
    double caption = VDS::TypeScale::caption;
    double body = VDS::TypeScale::body;
    double title = VDS::TypeScale::title;
    double display = VDS::TypeScale::display;
    double hero = VDS::TypeScale::hero;
};

class VdsMeasure : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(double windowWidth MEMBER windowWidth CONSTANT)
    Q_PROPERTY(double windowHeight MEMBER windowHeight CONSTANT)
    Q_PROPERTY(double sidebar MEMBER sidebar CONSTANT)
    Q_PROPERTY(double sidebarIcon MEMBER sidebarIcon CONSTANT)
    Q_PROPERTY(double sidebarExpandedMin MEMBER sidebarExpandedMin CONSTANT)
    Q_PROPERTY(double sidebarMin MEMBER sidebarMin CONSTANT)
    Q_PROPERTY(double sidebarMax MEMBER sidebarMax CONSTANT)
    Q_PROPERTY(double sidebarNavColumnWidth MEMBER sidebarNavColumnWidth CONSTANT)
    Q_PROPERTY(double sidebarHeaderHPadding MEMBER sidebarHeaderHPadding CONSTANT)
    Q_PROPERTY(double sidebarBrandLogoExpanded MEMBER sidebarBrandLogoExpanded CONSTANT)
    Q_PROPERTY(double sidebarBrandLogoCompact MEMBER sidebarBrandLogoCompact CONSTANT)
    Q_PROPERTY(double sidebarBrandHeaderSlot MEMBER sidebarBrandHeaderSlot CONSTANT)
    Q_PROPERTY(double control MEMBER control CONSTANT)
    Q_PROPERTY(double row MEMBER row CONSTANT)
    Q_PROPERTY(double mark MEMBER mark CONSTANT)
    Q_PROPERTY(double cluster MEMBER cluster CONSTANT)
    Q_PROPERTY(double column MEMBER column CONSTANT)
public:
    using QObject::QObject;
    Q_INVOKABLE double mainContentLeadingInset(double sidebarWidth, bool collapsed) const;
    Q_INVOKABLE double sidebarBrandLogoLeading(double sidebarWidth, bool collapsed) const;

    double windowWidth = VDS::Measure::windowWidth;
    double windowHeight = VDS::Measure::windowHeight;
    double sidebar = VDS::Measure::sidebar;
    double sidebarIcon = VDS::Measure::sidebarIcon;
    double sidebarExpandedMin = VDS::Measure::sidebarExpandedMin;
    double sidebarMin = VDS::Measure::sidebarMin;
    double sidebarMax = VDS::Measure::sidebarMax;
    double sidebarNavColumnWidth = VDS::Measure::sidebarNavColumnWidth;
    double sidebarHeaderHPadding = VDS::Measure::sidebarHeaderHPadding;
    double sidebarBrandLogoExpanded = VDS::Measure::sidebarBrandLogoExpanded;
    double sidebarBrandLogoCompact = VDS::Measure::sidebarBrandLogoCompact;
    double sidebarBrandHeaderSlot = VDS::Measure::sidebarBrandHeaderSlot;
    double control = VDS::Measure::control;
    double row = VDS::Measure::row;
    double mark = VDS::Measure::mark;
    double cluster = VDS::Measure::cluster;
    double column = VDS::Measure::column;
};

class VdsColors : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor bg0 READ bg0 NOTIFY paletteChanged)
    Q_PROPERTY(QColor bg1 READ bg1 NOTIFY paletteChanged)
    Q_PROPERTY(QColor bg2 READ bg2 NOTIFY paletteChanged)
    Q_PROPERTY(QColor bg3 READ bg3 NOTIFY paletteChanged)
    Q_PROPERTY(QColor bgElevated READ bgElevated NOTIFY paletteChanged)
    Q_PROPERTY(QColor border READ border NOTIFY paletteChanged)
    Q_PROPERTY(QColor borderStrong READ borderStrong NOTIFY paletteChanged)
    Q_PROPERTY(QColor borderFaint READ borderFaint NOTIFY paletteChanged)
    Q_PROPERTY(QColor borderWarm READ borderWarm NOTIFY paletteChanged)
    Q_PROPERTY(QColor text1 READ text1 NOTIFY paletteChanged)
    Q_PROPERTY(QColor text2 READ text2 NOTIFY paletteChanged)
    Q_PROPERTY(QColor text3 READ text3 NOTIFY paletteChanged)
    Q_PROPERTY(QColor text4 READ text4 NOTIFY paletteChanged)
    Q_PROPERTY(QColor accent READ accent NOTIFY paletteChanged)
    Q_PROPERTY(QColor orange READ orange NOTIFY paletteChanged)
    Q_PROPERTY(QColor amber READ amber NOTIFY paletteChanged)
    Q_PROPERTY(QColor slate READ slate NOTIFY paletteChanged)
    Q_PROPERTY(QColor green READ green NOTIFY paletteChanged)
    Q_PROPERTY(QColor red READ red NOTIFY paletteChanged)
    Q_PROPERTY(QColor emerald READ emerald NOTIFY paletteChanged)
    Q_PROPERTY(QColor teal READ teal NOTIFY paletteChanged)
    Q_PROPERTY(QColor purple READ purple NOTIFY paletteChanged)
    Q_PROPERTY(QColor pink READ pink NOTIFY paletteChanged)
    Q_PROPERTY(QColor sidebar READ sidebar NOTIFY paletteChanged)
    Q_PROPERTY(QColor sidebarHover READ sidebarHover NOTIFY paletteChanged)
    Q_PROPERTY(QColor sidebarSelected READ sidebarSelected NOTIFY paletteChanged)
    Q_PROPERTY(QColor hover READ hover NOTIFY paletteChanged)
    Q_PROPERTY(QColor onAccent READ onAccent NOTIFY paletteChanged)
    Q_PROPERTY(QColor onDanger READ onDanger NOTIFY paletteChanged)
public:
    explicit VdsColors(QObject* parent = nullptr);

#define VELK_VDS_QML_COLOUR(name) QColor name() const { return VDS::C::name(); }
    VELK_PALETTE_COLOURS(VELK_VDS_QML_COLOUR)
#undef VELK_VDS_QML_COLOUR

signals:
    void paletteChanged();
};

class VdsQml : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(VDS)
    QML_SINGLETON
    Q_PROPERTY(velk::design::VdsPhi* Phi READ phi CONSTANT)
    Q_PROPERTY(velk::design::VdsSpace* Space READ space CONSTANT)
    Q_PROPERTY(velk::design::VdsRadius* Radius READ radius CONSTANT)
    Q_PROPERTY(velk::design::VdsTypeScale* TypeScale READ typeScale CONSTANT)
    Q_PROPERTY(velk::design::VdsMeasure* Measure READ measure CONSTANT)
    Q_PROPERTY(velk::design::VdsColors* C READ colors CONSTANT)
public:
    explicit VdsQml(QObject* parent = nullptr);

    Q_INVOKABLE QFont caption(int weight = QFont::Normal) const;
    Q_INVOKABLE QFont body(int weight = QFont::Normal) const;
    Q_INVOKABLE QFont title(int weight = QFont::Medium) const;
    Q_INVOKABLE QFont display(int weight = QFont::Medium) const;
    // The text font at any pixel size; `monospaced` picks the monospaced family.
    Q_INVOKABLE QFont font(double pixelSize, int weight = QFont::Normal, bool monospaced = false) const;
    // `color` with its opacity multiplied by `opacity`.
    Q_INVOKABLE QColor withOpacity(const QColor& color, double opacity) const;

    VdsPhi* phi() const { return m_phi; }
    VdsSpace* space() const { return m_space; }
    VdsRadius* radius() const { return m_radius; }
    VdsTypeScale* typeScale() const { return m_typeScale; }
    VdsMeasure* measure() const { return m_measure; }
    VdsColors* colors() const { return m_colors; }

private:
    VdsPhi* m_phi;
    VdsSpace* m_space;
    VdsRadius* m_radius;
    VdsTypeScale* m_typeScale;
    VdsMeasure* m_measure;
    VdsColors* m_colors;
};

} // namespace velk::design
