#include "panels/picture_box.h"

#include "form/form.h"

namespace panels {

using namespace form;
using namespace form::colours;

void AddPictureBox(Form& f) {
  f.add(ControlDesign{.kind = Kind::PictureBox,
                      .name = "Picture1",
                      .left = 120,
                      .top = 4440,
                      .width = 2655,
                      .height = 2295,
                      .back = ButtonText,
                      .hand = true});
  f.add(ControlDesign{.kind = Kind::ImageList, .name = "ImageList1"});
}

}  // namespace panels
