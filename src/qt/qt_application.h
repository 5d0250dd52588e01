#pragma once

class QApplication;

namespace bms::qt {

// The application object that widgets need, made on first use when the program has
// none: on a machine without a display it uses the offscreen platform. It lives until
// the process ends, since windows may outlive any scope that could own it.
QApplication& EnsureApplication();

}  // namespace bms::qt
