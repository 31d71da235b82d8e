#include "platform/ui/window_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QByteArrayView>
#include <QWidget>

namespace kelton {

namespace {

// The nearest class of Qt's own the object is made of.
const QMetaObject* QtClassOf(const QObject* object)
{
    const QMetaObject* meta = object->metaObject();
    while (meta && QByteArrayView(meta->className()).contains("::"))
        meta = meta->superClass();
    return meta;
}

QAccessibleInterface* WindowInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    // Qt asks along the object's classes, most derived first: answer for
    // that one only, and only where Qt's own answer would be a plain widget's.
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QMetaObject* qtClass = QtClassOf(object);
    if (!widget->isWindow() || !qtClass || qstrcmp(qtClass->className(), "QWidget") != 0)
        return nullptr;
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Tool:
        return new QAccessibleWidget(widget, QAccessible::Window);
    case Qt::Dialog:
    case Qt::Sheet:
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    default:
        return nullptr;
    }
}

} // namespace

void InstallWindowAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&WindowInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kelton
