#pragma once

#include <QObject>
#include <QPointF>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QQuickItem;

namespace velk::design {

// A damped spring given by its response (the period of the undamped
// oscillation, in seconds) and damping fraction, with unit mass.
struct SpringMotion {
    double response;
    double dampingFraction;

    double stiffness() const;
    double damping() const;
    // Position of the spring `seconds` after a step from 0 to 1, at rest.
    double position(double seconds) const;

    // The parameters of QML's SpringAnimation, which advances the velocity
    // by (spring x distance - damping x velocity) / mass every 16 ms step and
    // then the position by velocity x 16 ms. They are chosen so that these
    // steps decay and oscillate exactly as the spring does (matched poles),
    // which plain scaling of stiffness and damping would not do for fast
    // springs.
    static constexpr double qmlStepSeconds = 0.016;
    double qmlSpring() const;
    double qmlDamping() const;
    // { "spring": qmlSpring(), "damping": qmlDamping(), "mass": 1 }, for QML.
    QVariantMap toVariant() const;
};

// A spring as QML's SpringAnimation takes it.
class MotionSpring : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(double spring MEMBER spring CONSTANT)
    Q_PROPERTY(double damping MEMBER damping CONSTANT)
    Q_PROPERTY(double mass MEMBER mass CONSTANT)
public:
    MotionSpring(const SpringMotion& motion, QObject* parent)
        : QObject(parent)
        , spring(motion.qmlSpring())
        , damping(motion.qmlDamping())
    {
    }
    double spring;
    double damping;
    double mass = 1.0;
};

// The one table of recurring motions. QML plays springs as
// `SpringAnimation { spring: Motion.x.spring; damping: Motion.x.damping; epsilon: ... }`
// (velocity carries over when the target moves) and timed motions by their
// durations.
class Motion : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // Springs.
    Q_PROPERTY(velk::design::MotionSpring* sectionRow MEMBER m_sectionRow CONSTANT)
    Q_PROPERTY(velk::design::MotionSpring* sectionScreen MEMBER m_sectionScreen CONSTANT)
    Q_PROPERTY(velk::design::MotionSpring* sidebarCollapse MEMBER m_sidebarCollapse CONSTANT)
    Q_PROPERTY(velk::design::MotionSpring* progressFill MEMBER m_progressFill CONSTANT)
    Q_PROPERTY(velk::design::MotionSpring* glassPress MEMBER m_glassPress CONSTANT)
    Q_PROPERTY(velk::design::MotionSpring* cardPress MEMBER m_cardPress CONSTANT)
    // A list row's selection turning on or off.
    Q_PROPERTY(velk::design::MotionSpring* rowSelection MEMBER m_rowSelection CONSTANT)
    // A list taking a new order; a row opening or closing its details.
    Q_PROPERTY(velk::design::MotionSpring* listOrder MEMBER m_listOrder CONSTANT)
    Q_PROPERTY(velk::design::MotionSpring* disclosure MEMBER m_disclosure CONSTANT)
    // Timed motions, milliseconds.
    Q_PROPERTY(int live READ live CONSTANT) // linear: live bars and sparklines
    Q_PROPERTY(int gaugeArc READ gaugeArc CONSTANT) // ease in-out
    Q_PROPERTY(int gaugeLabel READ gaugeLabel CONSTANT) // ease in-out
    Q_PROPERTY(int pulse READ pulse CONSTANT) // ease in-out, repeated
    Q_PROPERTY(int glassPressFill READ glassPressFill CONSTANT) // ease in-out
    Q_PROPERTY(int cardHover READ cardHover CONSTANT) // ease out
    Q_PROPERTY(int numberRoll READ numberRoll CONSTANT) // ease in-out
    Q_PROPERTY(int fanNeedle READ fanNeedle CONSTANT) // ease in-out
    Q_PROPERTY(int fanSector READ fanSector CONSTANT) // ease in-out

public:
    explicit Motion(QObject* parent = nullptr)
        : QObject(parent)
    {
    }

    static constexpr SpringMotion sectionRowSpring { 0.2, 0.85 };
    static constexpr SpringMotion sectionScreenSpring { 0.5, 0.85 };
    static constexpr SpringMotion sidebarCollapseSpring { 0.22, 0.85 };
    static constexpr SpringMotion progressFillSpring { 0.6, 0.8 };
    static constexpr SpringMotion glassPressSpring { 0.2, 0.7 };
    static constexpr SpringMotion cardPressSpring { 0.18, 0.8 };
    static constexpr SpringMotion rowSelectionSpring { 0.18, 0.78 };
    static constexpr SpringMotion listOrderSpring { 0.18, 0.85 };
    static constexpr SpringMotion disclosureSpring { 0.2, 0.85 };


    static int live() { return 600; }
    static int gaugeArc() { return 600; }
    static int gaugeLabel() { return 500; }
    static int pulse() { return 1400; }
    static int glassPressFill() { return 120; }
    static int cardHover() { return 160; }
    static int numberRoll() { return 350; }
    static int fanNeedle() { return 450; }
    static int fanSector() { return 550; }

    // Whether a change of `item` from `from` to `to` (logical pixels) is
    // shown moving: only while the item is shown in a window, and only when
    // it moves by at least one device pixel. Anything else jumps, so a
    // hidden screen or a value that barely moves draws no frames.
    Q_INVOKABLE static bool slides(QQuickItem* item, double from, double to);
    static bool slidesBy(const QQuickItem* item, QPointF largestMove);

private:
    MotionSpring* m_sectionRow = new MotionSpring(sectionRowSpring, this);
    MotionSpring* m_sectionScreen = new MotionSpring(sectionScreenSpring, this);
    MotionSpring* m_sidebarCollapse = new MotionSpring(sidebarCollapseSpring, this);
    MotionSpring* m_progressFill = new MotionSpring(progressFillSpring, this);
    MotionSpring* m_glassPress = new MotionSpring(glassPressSpring, this);
    MotionSpring* m_cardPress = new MotionSpring(cardPressSpring, this);
    MotionSpring* m_rowSelection = new MotionSpring(rowSelectionSpring, this);
    MotionSpring* m_listOrder = new MotionSpring(listOrderSpring, this);
    MotionSpring* m_disclosure = new MotionSpring(disclosureSpring, this);
};

} // namespace velk::design
