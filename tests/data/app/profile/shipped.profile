; Norvale product profile: defaults and tables the player reads and the user does not edit.
; The program works without this file; every lookup in a missing profile comes back empty.

; Default graph building rules, one section per rule number listed here (rule number = display name).
[Standard graph building rules]

; File extension (with its dot) = the required component that plays it (a section below).
[Friendly file types]

; Required components: "Message" is asked when none of the classes "CLSID_1", "CLSID_2", ... can be created
; ("\n" breaks the line); "URL" is the page offered for download (empty: no download is offered).
[WASource]
Message=No Winamp input plug-in can play this file.\nPut a plug-in for its format into the "WinAmp plugins" folder of Norvale and try again.
URL=

; Winamp input plug-in defaults, one section per plug-in file name: Disabled, LoadingMode, OutputType.
