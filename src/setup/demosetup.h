#pragma once

#include <QList>
#include <QString>
#include <functional>

class TAdminLog;
struct TInstallationPaths;

// One step of the demo installation. A step finds out itself whether its work is done, so
// the demo can be run again on an existing demo installation.
struct TDemoStep {
    QString title;
    // Returns false when the step was skipped because its result already exists.
    std::function<bool(const TInstallationPaths&, const TAdminLog&)> run;
};

// The steps in the order they run; a new kind of demo data is one more entry.
QList<TDemoStep> DemoSteps();
// Demo step: the address configuration "CONFIG.XML" of the demo tenant.
bool InstallDemoConfig(const TInstallationPaths& paths, const TAdminLog& log);
// Demo step: a few hundred generated addresses in the demo tenant's address table.
bool InstallDemoAddresses(const TInstallationPaths& paths, const TAdminLog& log);
// Runs every step; throws what a step throws.
void CreateDemo(const TInstallationPaths& paths, const TAdminLog& log);
