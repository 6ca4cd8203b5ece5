#include "FontReader.h"

#include <string>

#include "DriverError.h"
#include "RemoteBuffer.h"
#include "RemoteCall.h"
#include "WizardProbe.h"

LONG ControlFontWeight(HWND Control, HANDLE Process) {
  TFontQuery Query = {};
  Query.Control = Control;
  Query.Error = ERROR_CALL_NOT_IMPLEMENTED;
  TRemoteBuffer Buffer(Process, sizeof Query);
  Buffer.Write(0, &Query, sizeof Query);
  CallProbe(Process, WIZARD_PROBE_QUERY_FONT, Buffer.At(0));
  Buffer.Read(0, &Query, sizeof Query);
  if (Query.Error != 0)
    throw TDriverError("cannot read the font of a control (error " + std::to_string(Query.Error) + ")");
  return Query.Font.lfWeight;
}
