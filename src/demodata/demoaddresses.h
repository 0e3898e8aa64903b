#pragma once

#include <QByteArray>

class TAddressConfig;
class TCustomerAddress;

// Number of generated addresses in the demo tenant.
constexpr int kDemoAddressCount = 300;

// The address configuration of the demo tenant: groups, marks, address kinds, number ranges
// and contact marks that fit the generated addresses.
void FillDemoConfig(TAddressConfig& config);

// The extra-field layout "VIEW.DAT" of the demo tenant: customer since, industry, preferred
// contact time, newsletter and payment behaviour.
QByteArray DemoViewLayout();
// Values for the fields of the demo layout, in the layout's order; they depend on the index
// and on what the record holds already (its creation day, its group).
void FillDemoExtraFields(int index, TCustomerAddress& record);
