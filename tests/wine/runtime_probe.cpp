// A library that holds nothing but the C++ runtime TARVEL.dll is built with
// (same compiler, same static runtime): what loading and unloading it costs
// a process is what any such library costs. The stress run compares the
// plug-in's cost per load with this baseline.
#include <new>

extern "C" __declspec(dllexport) int runtimeProbe(int value) {
    int* stored = new (std::nothrow) int(value);
    const int result = stored != nullptr ? *stored : 0;
    delete stored;
    return result;
}
