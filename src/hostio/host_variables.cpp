#include "hostio/host_variables.h"

#include "hostio/host_text.h"
#include "plugin/host_state.h"

void PublishVariable(const WCHAR *name, const WCHAR *value)
{
    SetVariableProc setVariable = HostSetVariable;
    if (setVariable == NULL)
        return;
    char *valueText = ToHostText(value);
    char *nameText = ToHostText(name);
    setVariable(nameText, valueText);
}

void ReportStatus(const WCHAR *status)
{
    PublishVariable(L"[Zelvar.LastError]", status);
}
