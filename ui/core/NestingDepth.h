#pragma once

namespace VXM {

// Deepest nesting of containers that layout, painting, hit-testing and the hand-down of the
// manager, parent, visibility and Init descend into; controls below it are left alone. Each
// level costs stack in every one of these recursions, so a tree of any shape built by the
// application or a hostile skin cannot overflow the stack. The skin builder refuses deeper
// nesting so that such a tree is never made from a skin.
inline constexpr int kMaxNestingDepth = 256;

// One container level of the recursion running on the UI thread.
class NestingScope {
public:
    NestingScope();
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;
    ~NestingScope() { --*depth_; }

    // Whether this level may still descend into its children.
    bool Allowed() const { return level_ <= kMaxNestingDepth; }
    int Level() const { return level_; }

private:
    int* depth_ = nullptr;  // the counter
    int level_ = 0;
};

}  // namespace VXM
