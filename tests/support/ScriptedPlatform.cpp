// The scripted platform is all in its header; this file gives it a home in the build.
#include "support/ScriptedPlatform.h"
