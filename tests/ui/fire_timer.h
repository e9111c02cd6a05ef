#pragma once
// One timeout of a timer, delivered at once through the same connection a
// real timeout uses: tests drive the ticks instead of waiting for time.
#include <gtest/gtest.h>

#include <QMetaObject>
#include <QTimer>

namespace orrin::ui {

inline void Fire(QTimer* timer) {
  ASSERT_TRUE(timer->isActive()) << timer->objectName().toStdString();
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
}

}  // namespace orrin::ui
