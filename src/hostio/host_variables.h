// Host variables: the library's only channel of report.
#pragma once
#include "hostio/host_types.h"

// Sets the host variable `name` to `value` through the host's SetVariable
// callback; does nothing while the host has supplied none.
void PublishVariable(const WCHAR *name, const WCHAR *value);

// Writes `status` into [Zelvar.LastError].
void ReportStatus(const WCHAR *status);
