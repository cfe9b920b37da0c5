// The five functions whose addresses stand in the record handed to the host.
// Each recovers the effect from the record and calls one virtual operation.
#pragma once

#include "host/vst_types.h"

VstWord VSTCALL dispatchEntry(AEffect* effect, int32 opcode, int32 index, VstWord value, void* ptr,
                              float opt);
void VSTCALL processEntry(AEffect* effect, float** inputs, float** outputs, int32 sampleFrames);
void VSTCALL processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                   int32 sampleFrames);
void VSTCALL setParameterEntry(AEffect* effect, int32 index, float value);
float VSTCALL getParameterEntry(AEffect* effect, int32 index);
