#include "TextSamples.h"

namespace {

std::wstring Repeat(const std::wstring& pattern, size_t characters)
{
    std::wstring text;
    while (text.size() < characters)
        text += pattern;
    text.resize(characters);
    return text;
}

}  // namespace

std::wstring ChineseParagraph(size_t characters)
{
    return Repeat(L"此文件是微软VC运行时库的一个重要文件，也是Windows系统的一个重要文件，许多游戏或软件都需要它的支持，"
                  L"没有这个文件将会导致一些游戏和软件无法运行。第三方软件在安装或运行期间可能会替换或删除系统原有的DLL，"
                  L"导致应用程序无法加载正确版本（共发现12项问题）。",
                  characters);
}

std::wstring LatinParagraph(size_t characters)
{
    return Repeat(L"The quick brown fox jumps over the lazy dog; a missing DLL stops many programs from starting, "
                  L"and reinstalling the Visual C++ runtime packages repairs most of them. ",
                  characters);
}
