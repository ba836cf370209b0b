#pragma once
// Included by every widget test: the settings the windows keep (sizes and places, the last
// folder, the calculation choices) go to a temporary folder of the test's own, never to
// the user's, and every test program starts from empty settings.
#include <QSettings>
#include <QTemporaryDir>

namespace corvane::testing {

struct OwnSettings {
  QTemporaryDir folder;
  OwnSettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  }
};

inline const OwnSettings kOwnSettings;

// Forgets what an earlier test function kept (a window's size and place, the last folder),
// so that each test function starts as on a first run.
inline void ForgetKeptSettings() { QSettings("Corvane", "Corvane").clear(); }

}  // namespace corvane::testing
