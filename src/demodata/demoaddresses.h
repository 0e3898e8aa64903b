#pragma once

class TAddressConfig;

// Number of generated addresses in the demo tenant.
constexpr int kDemoAddressCount = 300;

// The address configuration of the demo tenant: groups, marks, address kinds, number ranges
// and contact marks that fit the generated addresses.
void FillDemoConfig(TAddressConfig& config);
