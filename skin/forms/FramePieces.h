#pragma once
// The four pieces of a skinned frame, as the frame painting and the window
// shape number them.

namespace skin {

constexpr int kLeftPiece = 1;
constexpr int kRightPiece = 2;
constexpr int kTopPiece = 3;
constexpr int kBottomPiece = 4;

} // namespace skin
