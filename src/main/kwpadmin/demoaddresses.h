#pragma once

class TAddressConfig;
class TAdminLog;
struct TInstallationPaths;

// Number of generated addresses in the demo tenant.
constexpr int kDemoAddressCount = 300;

// The address configuration of the demo tenant: groups, marks, address kinds, number ranges
// and contact marks that fit the generated addresses.
void FillDemoConfig(TAddressConfig& config);

// Demo step: the address configuration "CONFIG.XML" of the demo tenant.
bool InstallDemoConfig(const TInstallationPaths& paths, const TAdminLog& log);
// Demo step: a few hundred generated addresses in the demo tenant's address table.
bool InstallDemoAddresses(const TInstallationPaths& paths, const TAdminLog& log);
