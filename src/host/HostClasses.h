#pragma once
// The host's kinds for form descriptions: the push button TButton, and TfrmAbout's own stored
// properties (fonts and border icons) on top of a form's.

#include "framework/ClassRegistry.h"

namespace host {

void RegisterHostClasses(framework::TClassRegistry& registry);

// The framework's kinds and the host's, registered once.
const framework::TClassRegistry& HostClassRegistry();

}  // namespace host
