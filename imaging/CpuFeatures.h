#pragma once

// Whether the processor runs the AVX2 row kernels. Always false on
// processors other than x86.
bool CpuHasAvx2();
