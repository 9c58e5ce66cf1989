// Where a minimised dialog draws its icon: centred in the client area, with
// the rounding of signed division toward zero. Plain arithmetic, so that it
// is tested without Windows.
#pragma once

constexpr int CentredIconOffset(int clientExtent, int iconExtent) {
  return (clientExtent - iconExtent + 1) / 2;
}
