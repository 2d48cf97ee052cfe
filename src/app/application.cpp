#include "app/application.h"

#include "app/main_screen.h"
#include "config/config_files.h"
#include "setup/setup_window.h"

namespace app {

Application::Application(form::Host& host, serial::CommPort& port, std::string appFolder)
    : host_(host), port_(port), folder_(std::move(appFolder)) {
  main_ = std::make_unique<MainScreen>(host_, port_, folder_);
  setup_ = std::make_unique<SetupWindow>(host_, main_->form(), folder_, main_->accessMode());
  main_->onSetup = [this] { setup_->Show(); };
}

Application::~Application() = default;

void Application::load() {
  if (loaded_) return;
  loaded_ = true;
  config::RemoveLeftoverSaves(folder_);
  main_->Load();
}

void Application::unload() {
  if (!loaded_) return;
  if (setup_->form().visible()) setup_->Close();
  main_->Unload();
  loaded_ = false;
}

form::Form& Application::mainForm() {
  return main_->form();
}
form::Form& Application::setupForm() {
  return setup_->form();
}

}  // namespace app
