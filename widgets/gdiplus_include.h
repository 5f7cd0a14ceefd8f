// GDI+ with what it needs from the COM headers, which the lean Windows header leaves out.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <propidl.h>

#include <gdiplus.h>
