#include "AttributeList.h"

namespace VXM {

std::vector<AttributePair> ParseAttributeList(std::wstring_view list)
{
    std::vector<AttributePair> pairs;
    size_t at = 0;
    while (at < list.size()) {
        const size_t equals = list.find(L'=', at);
        if (equals == std::wstring_view::npos || equals + 1 >= list.size() || list[equals + 1] != L'"')
            break;
        const size_t close = list.find(L'"', equals + 2);
        if (close == std::wstring_view::npos)
            break;
        pairs.push_back({list.substr(at, equals - at), list.substr(equals + 2, close - equals - 2)});
        at = close + 1;
        if (at < list.size() && list[at] != L' ')
            break;
        ++at;
    }
    return pairs;
}

}  // namespace VXM
