[Friendly file types]
.ape=Monkey
[Monkey]
Message=Needs a decoder.\nDownload?
URL=http://example.invalid/
CLSID_1={11111111-1111-1111-1111-111111111111}
CLSID_2=x
[in_x.dll]
Disabled=255
