// The bridge's price, worked out from the live links whenever it is needed.
#pragma once

// Cost of the whole bridge in whole dollars: each link's length times its
// material's price per unit, three times that for a deck link, summed in
// single precision and truncated once. With count nonzero it also refills
// editor.materialcount (thin crossbeams count as their material).
int calculatebridgecost(int count);
