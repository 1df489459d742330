// A push button of a template keeps its template size whatever the language: a translation too
// long for it is set in narrower, then smaller letters, and only then cut with "…", the whole
// text becoming the button's tool tip. User-interface thread only.
#pragma once

class QPushButton;

namespace varnell {

void FitButtonText(QPushButton& button);

}  // namespace varnell
