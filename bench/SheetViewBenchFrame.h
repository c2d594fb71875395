// The frame resource of the sheet view benchmark.
#pragma once

#define IDR_SHEETVIEW_BENCH_FRAME 7402
