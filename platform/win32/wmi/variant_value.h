// A WMI property's VARIANT as the event source's property value.
#pragma once

#include <windows.h>

#include <wbemcli.h>

#include "platform/event_source.h"

namespace brask {

// VT_BSTR gives text; the integer types give a whole number (a VT_I4 that WMI declares
// CIM_UINT32 is read unsigned); VT_NULL and VT_EMPTY give a missing value; any other type
// is turned into text by the system. Throws RunTimeError when that fails.
PropertyValue propertyValue(const VARIANT& value, CIMTYPE cimType);

}  // namespace brask
