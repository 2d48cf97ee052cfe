#pragma once

namespace form {
class Form;
}

namespace app {

// Frame2, the version panel: captions and value cells Label4(0..18), filled by version replies.
void AddVersionPanel(form::Form& f);

}  // namespace app
