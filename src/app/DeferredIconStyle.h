#pragma once
// The application's style: the default style in every respect, except that its standard
// icons are decoded when first drawn instead of when asked for. Windows the start-up makes
// but does not show yet (the scheduler with its toolbar) then pay nothing for pictures.

#include <QProxyStyle>

class TDeferredIconStyle final : public QProxyStyle {
public:
  TDeferredIconStyle();

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override;
};
