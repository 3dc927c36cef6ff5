#include "templates/template_import.h"

#include "templates/item_extras.h"
#include "templates/item_import.h"
#include "templates/item_record.h"
#include "templates/master_data_import.h"
#include "importing/opening_balances.h"
#include "templates/opening_templates.h"
#include "templates/structure_check.h"
#include "templates/template_files.h"

namespace tarvo::templates {

namespace {

class TemplateSource : public importing::ImportSource {
public:
    // Every template is opened and its structure checked, with the progress window shown.
    bool check(ui::Owner owner, const std::string& importFolder, const importing::ImportOptions& options) override {
        run_ = std::make_unique<TemplateRun>(options, importFolder, owner);
        if (!openTemplates(*run_)) return false;
        ui::interaction().openProgress(owner);
        if (BUTTONIMPORT1PRE(*run_)) {
            run_->addFeeds({"ITEM", takesItemRow, itemFeeds(options.stockMode)});
            run_->addFeeds(customerFeeds());
            run_->addFeeds(vendorFeeds());
            run_->addFeeds(groupPriceFeeds());
            run_->addFeeds(payablesFeeds());
            run_->addFeeds(receivablesFeeds());
            return true;
        }
        ui::interaction().closeProgress();
        showOverWidthWarning(*run_);
        return false;
    }
    bool import(const std::string&) override { return BUTTONIMPORT1(*run_); }
    const importing::ImportRun& run() const override { return *run_; }

private:
    std::unique_ptr<TemplateRun> run_;
};

}  // namespace

std::unique_ptr<importing::ImportSource> templateSource() { return std::make_unique<TemplateSource>(); }

importing::ImportOutcome runTemplateImport(ui::Owner owner, const importing::ImportRequest& request) {
    TemplateSource source;
    return importing::runImport(owner, request, source);
}

bool BUTTONIMPORT1(TemplateRun& run) {
    run.takeStamps();
    if (!writeTemplateControlSettings(run)) return false;
    importMasterData(run);
    importPayables(run);
    importReceivables(run);
    importItems(run);
    return true;
}

}  // namespace tarvo::templates
