#include "NestingDepth.h"

namespace VXM {
namespace {

// Like every part of the framework the walks run on the UI thread only, so one counter serves;
// a thread-local one would cost a call on every level.
int g_depth = 0;

}  // namespace

NestingScope::NestingScope() : depth_(&g_depth), level_(++g_depth) {}

}  // namespace VXM
