; Norvale product profile: defaults and tables the player reads and the user does not edit.
; The program works without this file; every lookup in a missing profile comes back empty.

; Standard graph building rules: "number=display name", in the order they are matched. Each number has a section:
;   Extensions           the media it applies to: extensions with their dots separated by ";", "protocol://" before
;                        them for streams ("<any>" for any protocol), "<any files>" for everything, "[ASX]" in front
;                        for the entries of Windows Media redirector playlists
;   Default_Enabled      0 off until the user switches it on, 255 on only with Winamp plug-ins installed, else on
;   Try standard graph   0: no second attempt with DirectShow's own graph when the normal filters fail
;   Normal_... and FailSafe_...: the filters of the first and of the second attempt
;     _Source_filter, _Audio_render, _Video_render   a CLSID; empty means DirectShow's (or the player's) choice
;     _Source_params                                 text for the source filter
;     _General_filter_Count, _Audio_filter_Count, _Video_ filter_Count and their entries _1, _2, ...
;
; The stock filters named here:
;   {E436EBB5-524F-11CE-9F53-0020AF0BA770}  File Source (Async.)
;   {E436EBB6-524F-11CE-9F53-0020AF0BA770}  File Source (URL)
;   {187463A0-5BB7-11D3-ACBE-0080C75E246E}  WM ASF Reader
;   {79376820-07D0-11CF-A24D-0020AFD79767}  DirectSound Renderer
;   {E30629D1-27E5-11CE-875D-00608CB78066}  Audio Renderer (waveOut)
;   {70E102B0-5556-11CE-97C0-00AA0055595A}  Video Renderer
;   {51B4ABF3-748F-4E3B-A276-C828330E926A}  Video Mixing Renderer 9
; and the player's own Winamp plug-in source {65C0706F-7892-4980-84E7-706FB23F3DD4}.
[Standard graph building rules]
1=MPEG audio (MP3, MP2, MP1)
2=Wave and AIFF audio
3=Ogg Vorbis audio
4=Windows Media files (WMA, WMV, ASF)
5=Video files (AVI, MPEG) with the video renderer of the options
6=Video files (AVI, MPEG) with the Video Mixing Renderer 9
7=Video files (AVI, MPEG) with the classic Video Renderer
8=Internet radio and streams (HTTP)
9=Secure internet streams (HTTPS)
10=Windows Media streams (MMS)
11=Entries of Windows Media redirector playlists
12=Formats played by Winamp input plug-ins
13=All other media

; Local audio files: read by the stock file source, played through DirectSound; when that fails, once more with the
; waveOut renderer, which still plays where DirectSound has no device or is held by another program.
[1]
Extensions=.mp3;.mp2;.mp1;.mpa
Default_Enabled=1
Normal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}

[2]
Extensions=.wav;.aif;.aiff;.aifc;.au;.snd
Default_Enabled=1
Normal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}

; Needs an Ogg splitter and Vorbis decoder registered with DirectShow.
[3]
Extensions=.ogg;.oga
Default_Enabled=1
Normal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}

; Windows Media files are read by the WM ASF Reader, which also decodes them.
[4]
Extensions=.wma;.wmv;.asf;.wm
Default_Enabled=1
Normal_Source_filter={187463A0-5BB7-11D3-ACBE-0080C75E246E}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}
FailSafe_Video_render={70E102B0-5556-11CE-97C0-00AA0055595A}

; Three ways to show the same video files; switching one on switches the others off. The first follows the video
; renderer chosen in the options and falls back to the classic Video Renderer, which works on every display.
[5]
Extensions=.avi;.mpg;.mpeg;.mpe;.m1v
Default_Enabled=1
Normal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Video_render={70E102B0-5556-11CE-97C0-00AA0055595A}

[6]
Extensions=.avi;.mpg;.mpeg;.mpe;.m1v
Default_Enabled=0
Normal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
Normal_Video_render={51B4ABF3-748F-4E3B-A276-C828330E926A}
FailSafe_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Video_render={70E102B0-5556-11CE-97C0-00AA0055595A}

[7]
Extensions=.avi;.mpg;.mpeg;.mpe;.m1v
Default_Enabled=0
Normal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
Normal_Video_render={70E102B0-5556-11CE-97C0-00AA0055595A}

; Streams: DirectShow first picks the source by the address (the WM ASF Reader for Windows Media, else the URL
; source); the second attempt reads through the stock URL source into the waveOut renderer.
[8]
Extensions=http://
Default_Enabled=1
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Source_filter={E436EBB6-524F-11CE-9F53-0020AF0BA770}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}

[9]
Extensions=https://
Default_Enabled=1
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Source_filter={E436EBB6-524F-11CE-9F53-0020AF0BA770}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}

[10]
Extensions=mms://<any files>
Default_Enabled=1
Normal_Source_filter={187463A0-5BB7-11D3-ACBE-0080C75E246E}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}

; The entries of a redirector playlist are Windows Media whatever their address looks like.
[11]
Extensions=[ASX]<any>://<any files>
Default_Enabled=1
Normal_Source_filter={187463A0-5BB7-11D3-ACBE-0080C75E246E}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}

; Only useful with plug-ins in the "WinAmp plugins" folder; the plug-in is chosen by the file's extension.
[12]
Extensions=.flac;.ape;.mpc;.wv;.mod;.xm;.it;.s3m
Default_Enabled=255
Try standard graph=0
Normal_Source_filter={65C0706F-7892-4980-84E7-706FB23F3DD4}
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}

; Whatever no other rule takes: DirectShow's own choice of filters, and a second attempt with the waveOut renderer.
[13]
Extensions=<any files>
Default_Enabled=1
Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}
FailSafe_Audio_render={E30629D1-27E5-11CE-875D-00608CB78066}

; File extension (with its dot) = the required component that plays it (a section below).
[Friendly file types]

; Required components: "Message" is asked when none of the classes "CLSID_1", "CLSID_2", ... can be created
; ("\n" breaks the line); "URL" is the page offered for download (empty: no download is offered).
[WASource]
Message=No Winamp input plug-in can play this file.\nPut a plug-in for its format into the "WinAmp plugins" folder of Norvale and try again.
URL=

; Winamp input plug-in defaults, one section per plug-in file name: Disabled, LoadingMode, OutputType.
