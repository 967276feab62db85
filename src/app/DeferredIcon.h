#pragma once
// An icon that is made (its pictures read and decoded) the first time anything about it
// is needed, typically when it is first drawn. Copies share what was made.

#include <QIcon>

#include <functional>

QIcon DeferredIcon(std::function<QIcon()> make);
