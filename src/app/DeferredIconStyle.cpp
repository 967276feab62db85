#include "app/DeferredIconStyle.h"

#include <QPointer>
#include <QWidget>

#include "app/DeferredIcon.h"

TDeferredIconStyle::TDeferredIconStyle() : QProxyStyle() {}

QIcon TDeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                       const QWidget* widget) const {
  // An option lives only for this call, so icons asked for with one are made at once.
  if (option) return QProxyStyle::standardIcon(icon, option, widget);
  QPointer<QStyle> style = baseStyle();
  QPointer<const QWidget> asking = widget;
  return DeferredIcon([style, asking, icon] {
    return style ? style->standardIcon(icon, nullptr, asking.data()) : QIcon();
  });
}
