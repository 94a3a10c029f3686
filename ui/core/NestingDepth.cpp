#include "NestingDepth.h"

namespace VXM {
namespace {

thread_local int t_depth = 0;

}  // namespace

NestingScope::NestingScope() : level_(++t_depth) {}

NestingScope::~NestingScope()
{
    --t_depth;
}

}  // namespace VXM
